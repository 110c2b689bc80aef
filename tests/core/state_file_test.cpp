#include "core/state_file.h"

#include <gtest/gtest.h>

namespace {

TEST(StateFile, FirstField) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"\"1\"\r\n", "1"},
        {"0\r\n", "0"},
        {"  \"0\"", "0"},
        {"\"https://tirelix.example/\"\r\n", "https://tirelix.example/"},
        {"\"a,b\"\r\n", "a,b"},
        {"https://a.example/x,y\r\n", "https://a.example/x"},
        {"\"\"\r\n", ""},
        {"1.0\r\n", "1"},
        {"01", "1"},
        {"  1  \r\n", "1"},
        {"yes\r\n", "yes"},
        {"\"1\" trailing", "1"},
        {"", std::nullopt},
        {"\r\n", std::nullopt},
        {",x", std::nullopt},
        {"\"unterminated\r\n", std::nullopt},
    };
    for (const auto& [content, field] : cases)
        EXPECT_EQ(shell::ReadFirstField(content), field) << '[' << content << ']';
}

TEST(StateFile, WrittenValuesReadBack) {
    EXPECT_EQ(shell::WriteField("1"), std::string("\"1\"\r\n"));
    for (std::string_view v : {"0", "1", "https://tirelix.example/page?a=1,2", "", "é €"})
        EXPECT_EQ(shell::ReadFirstField(shell::WriteField(v)), std::string(v));
    EXPECT_TRUE(shell::StorableInField("https://x.example/"));
    for (std::string_view v : {"a\"b", "a\nb", "a\rb"})
        EXPECT_FALSE(shell::StorableInField(v)) << v;
}

} // namespace
