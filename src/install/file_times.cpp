#include "install/file_times.h"

#include <cstdio>
#include <ctime>

namespace install {

bool TimestampToFileTime(const std::array<char, 16>& timestamp, FILETIME* out) {
    char text[17] = {};
    for (size_t i = 0; i < timestamp.size(); ++i) text[i] = timestamp[i];
    int year, month, day, hour, minute, second;
    if (std::sscanf(text, "%4d%2d%2d%2d%2d%2d", &year, &month, &day, &hour, &minute, &second) != 6) return false;
    if (year < 1970 || year > 2037) return false;
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;  // the platform decides whether daylight saving applies
    std::time_t t = std::mktime(&local);
    if (t == static_cast<std::time_t>(-1) || t < 0 || t > 0x7FFFFFFF) return false;
    std::tm* normalised = std::localtime(&t);
    if (!normalised) return false;
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(normalised->tm_year + 1900);
    st.wMonth = static_cast<WORD>(normalised->tm_mon + 1);
    st.wDay = static_cast<WORD>(normalised->tm_mday);
    st.wHour = static_cast<WORD>(normalised->tm_hour);
    st.wMinute = static_cast<WORD>(normalised->tm_min);
    st.wSecond = static_cast<WORD>(normalised->tm_sec);
    FILETIME localTime{};
    return ::SystemTimeToFileTime(&st, &localTime) && ::LocalFileTimeToFileTime(&localTime, out);
}

}  // namespace install
