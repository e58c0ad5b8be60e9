#include "cli/option_reader.h"

#include <gtest/gtest.h>

namespace plk::cli {
namespace {

struct Read {
    std::string operand;
    int cut = 0;
    std::int64_t until = 0;
    std::vector<std::int64_t> clicks;
    std::vector<std::pair<std::int64_t, std::int64_t>> holds;
    int width = 0;
};

// Reads options the way the commands do.
Read ReadAll(const std::vector<std::string>& args) {
    Read read;
    OptionReader reader(args);
    while (reader.Next()) {
        if (reader.Is("--cut")) {
            read.cut = reader.Int(1, 16, "a cut number");
        } else if (reader.Is("--until")) {
            read.until = reader.Ms();
        } else if (reader.Is("--clicks")) {
            read.clicks = reader.MsList();
        } else if (reader.Is("--hold")) {
            read.holds.push_back(reader.MsRange());
        } else if (reader.Is("--size")) {
            read.width = reader.IntOf(reader.Parts('x', 2, "WxH")[0], 1, 1024);
        } else {
            reader.TakeOperand();
        }
    }
    read.operand = reader.Operand("no project file given");
    return read;
}

TEST(OptionReaderTest, ReadsValuesAfterTheirOptionsAndTheOperandAnywhere) {
    const Read read = ReadAll({"--cut", "3", "p.cre", "--clicks", "0,250", "--hold", "5-9",
                               "--until", "700", "--size", "640x480"});
    EXPECT_EQ(read.operand, "p.cre");
    EXPECT_EQ(read.cut, 3);
    EXPECT_EQ(read.until, 700);
    EXPECT_EQ(read.clicks, (std::vector<std::int64_t>{0, 250}));
    ASSERT_EQ(read.holds.size(), 1u);
    EXPECT_EQ(read.holds[0], std::make_pair(std::int64_t{5}, std::int64_t{9}));
    EXPECT_EQ(read.width, 640);
}

TEST(OptionReaderTest, NamesTheOptionAndTheValueInEachMistake) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"p.cre", "--cut"}, "--cut needs a value"},
        {{"p.cre", "--cut", "17"}, "--cut takes a cut number from 1 to 16, not '17'"},
        {{"p.cre", "--cut", "2x"}, "--cut takes a cut number from 1 to 16, not '2x'"},
        {{"p.cre", "--until", "-1"},
         "--until takes milliseconds (an integer of at least 0), not '-1'"},
        {{"p.cre", "--until", "99999999999999999"},
         "--until takes milliseconds (an integer of at least 0), not '99999999999999999'"},
        {{"p.cre", "--clicks", "5,"},
         "--clicks takes milliseconds (an integer of at least 0), not ''"},
        {{"p.cre", "--hold", "30"}, "--hold takes FROM-TO in milliseconds, not '30'"},
        {{"p.cre", "--hold", "9-5"}, "--hold: the range 9-5 ends before it starts"},
        {{"p.cre", "--size", "640"}, "--size takes WxH"},
        {{"p.cre", "--size", "0x480"}, "--size takes an integer from 1 to 1024, not '0'"},
        {{"p.cre", "--zoom", "2"}, "unknown option --zoom"},
        {{"-", "-x"}, "unknown option -x"},  // a lone "-" is a file name
        {{"p.cre", "q.cre"}, "unexpected argument q.cre"},
        {{"--cut", "1"}, "no project file given"},
        {{"", "--cut", "1"}, "no project file given"},
    };
    for (const auto& [args, expected] : cases) {
        try {
            ReadAll(args);
            ADD_FAILURE() << testing::PrintToString(args) << " was accepted";
        } catch (const UsageError& e) {
            EXPECT_EQ(std::string(e.what()), expected) << testing::PrintToString(args);
        }
    }
}

}  // namespace
}  // namespace plk::cli
