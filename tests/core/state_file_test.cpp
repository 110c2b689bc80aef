// Quoted and unquoted fields, blanks, commas and line ends by any bytes are state_file_fuzz's;
// here what its properties leave open: a number's unquoted text and the writer's form.
#include "core/state_file.h"

#include <gtest/gtest.h>

namespace {

TEST(StateFile, NumbersReadAsNumbersAndValuesAsWritten) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"0\r\n", "0"}, {"1.0\r\n", "1"}, {"01", "1"}, {"yes\r\n", "yes"}};
    for (const auto& [content, field] : cases)
        EXPECT_EQ(shell::ReadFirstField(content), field) << '[' << content << ']';
    EXPECT_EQ(shell::WriteField("1"), std::string("\"1\"\r\n"));
    EXPECT_TRUE(shell::StorableInField("https://x.example/"));
    for (std::string_view v : {"a\"b", "a\nb", "a\rb"})
        EXPECT_FALSE(shell::StorableInField(v)) << v;
}

} // namespace
