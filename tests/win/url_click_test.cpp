// The link to the maker's page goes to the shell, which starts the registered web handler:
// here a recorder registered in the test prefix for the user, so no browser starts.
#include "forms/url_click.h"
#include "support/url_handler.h"
#include <gtest/gtest.h>
#include <windows.h>

namespace hv::test {

TEST(UrlClick, AsksTheShellToOpenTheOneAddressWithItsShowCommand) {
    UrlHandler handler;
    forms::OpenUrl(nullptr, SW_SHOWMAXIMIZED);
    EXPECT_EQ(handler.WaitForLines(1), "3 https://example.com/huevista/\n");
    forms::OpenUrl(nullptr, SW_SHOWNORMAL);
    EXPECT_EQ(handler.WaitForLines(2), "3 https://example.com/huevista/\n1 https://example.com/huevista/\n");
}

} // namespace hv::test
