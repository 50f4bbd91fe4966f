#pragma once

#include <gtest/gtest.h>

#include <string>

#include "driver/wizard.h"

namespace gui_tests {

// Controls of the pages, by id.
constexpr int kDestinationEditId = 1011;
constexpr int kBarId = 1015;
constexpr int kLogId = 1023;

enum class Page { Welcome, Licence, Copyright, Destination, Progress };

const char* PageName(Page page);

// Waits until the wizard shows `page` (told apart by its title line) with the buttons that the page
// sets on activation: captions, visibility and, where the wizard must let the user go on, enabled.
testing::AssertionResult WaitForPage(const gui_driver::Wizard& wizard, Page page);

// Presses `button` and waits for the page it leads to.
testing::AssertionResult Go(const gui_driver::Wizard& wizard, gui_driver::WizardButton button, Page to);

// Types the destination into the destination page's edit, as a person would before pressing Next.
testing::AssertionResult TypeDestination(const gui_driver::Wizard& wizard, const std::wstring& destination);

// From the welcome page forward to `page` by the next buttons; a destination for the progress page is
// typed into the destination page first.
testing::AssertionResult Reach(const gui_driver::Wizard& wizard, Page page, const std::wstring& destination);

}  // namespace gui_tests
