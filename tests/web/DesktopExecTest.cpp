#include "DesktopExec.h"

#include <gtest/gtest.h>

namespace tintaro {
namespace {

using Args = std::vector<std::string>;

struct ExecCase {
    const char* name;
    const char* exec;
    std::string_view address;
    std::optional<Args> expected;
};

const DesktopEntryFields kFields{"Test Browser", "/apps/test browser.desktop", "web-browser"};

class DesktopExecTest : public testing::TestWithParam<ExecCase> {};

TEST_P(DesktopExecTest, ExpandsTheExecLine) {
    const ExecCase& c = GetParam();
    EXPECT_EQ(desktopExecArgv(c.exec, c.address, kFields), c.expected);
}

const char* const kNasty = "https://h/a b?x=\"1\"&y='2';$(touch /tmp/x) `id` \\ %u\n\tend";

INSTANTIATE_TEST_SUITE_P(
    Lines, DesktopExecTest,
    testing::Values(
        ExecCase{"LowerU", "browser %u", "https://h/p", Args{"browser", "https://h/p"}},
        ExecCase{"UpperU", "browser %U", "https://h/p", Args{"browser", "https://h/p"}},
        ExecCase{"FileCodesTakeTheAddressToo", "browser %F", "https://h/p",
                 Args{"browser", "https://h/p"}},
        ExecCase{"NastyAddressIsOneArgument", "browser --new-window %u", kNasty,
                 Args{"browser", "--new-window", kNasty}},
        ExecCase{"NoFieldCodeAppendsTheAddress", "/opt/b/browser -x", "https://h/p",
                 Args{"/opt/b/browser", "-x", "https://h/p"}},
        ExecCase{"OnlyTheFirstCodeTakesTheAddress", "browser %u %U %f", "a", Args{"browser", "a"}},
        ExecCase{"EmbeddedCodeStaysInItsArgument", "browser --url=%u", "a b",
                 Args{"browser", "--url=a b"}},
        ExecCase{"EmptyAddressAddsNoArgument", "browser %u", "", Args{"browser"}},
        ExecCase{"EmptyAddressNoCode", "browser", "", Args{"browser"}},
        ExecCase{"PercentEscapeAndOtherCodes", "browser 100%% %c %k %i %d %N %v %u", "a",
                 Args{"browser", "100%", "Test Browser", "/apps/test browser.desktop", "--icon",
                      "web-browser", "a"}},
        ExecCase{"TrailingLonePercentKept", "browser %u 5%", "a", Args{"browser", "a", "5%"}},
        ExecCase{"QuotedProgramPath", "\"/opt/my browser/run\" %u", "a",
                 Args{"/opt/my browser/run", "a"}},
        ExecCase{"UnbalancedQuoteFails", "browser \"%u", "a", std::nullopt},
        ExecCase{"EmptyLineFails", "", "", std::nullopt},
        ExecCase{"OnlyCodesLeaveNoProgram", "%u", "", std::nullopt},
        ExecCase{"EmptyProgramFails", "'' %u", "a", std::nullopt},
        ExecCase{"AddressNeverBecomesTheProgram", "%u", "rm", std::nullopt},
        ExecCase{"AddressNeverBecomesTheProgramBeforeIt", "%u browser", "touch", std::nullopt},
        ExecCase{"CommentMarkWouldSwallowTheAddress", "browser #%u", "a", std::nullopt},
        ExecCase{"CommentMarkWouldSwallowTheAppendedAddress", "browser #new", "a", std::nullopt},
        ExecCase{"EscapeWouldSplitTheAddress", "browser \\%u", "x' -e 'y", std::nullopt},
        ExecCase{"HashInsideAWordIsNoComment", "browser --x=a#b %u", "a#",
                 Args{"browser", "--x=a#b", "a#"}},
        ExecCase{"AddressEndingAtNulCannotTravel", "browser %u", std::string_view("a\0b", 3),
                 std::nullopt}),
    [](const testing::TestParamInfo<ExecCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace tintaro
