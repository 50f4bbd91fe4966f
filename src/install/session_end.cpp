#include "install/session_end.h"

namespace install {

SessionEnd::SessionEnd()
    : stop_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)), left_(::CreateEventW(nullptr, TRUE, TRUE, nullptr)) {}

SessionEnd::Writing::Writing(SessionEnd& owner) : owner_(owner) {
    ::ResetEvent(owner_.left_.Get());
    owner_.writing_.store(true);
}

SessionEnd::Writing::~Writing() {
    owner_.writing_.store(false);
    ::SetEvent(owner_.left_.Get());
}

}  // namespace install
