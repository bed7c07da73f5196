#include "common/json.h"

#include <gtest/gtest.h>

namespace tvx {
namespace {

TEST(Json, SortsKeysAndFormatsNumbersPlainly) {
    Json object = Json::MakeObject();
    object["zeta"] = 1;
    object["alpha"] = Json(2.5f);
    object["mid"] = nullptr;
    Json list = Json::MakeArray();
    list.Push(true);
    list.Push(Json(1500.0));
    object["list"] = list;
    EXPECT_EQ(object.Dump(), R"({"alpha": 2.5, "list": [true, 1500], "mid": null, "zeta": 1})");
}

TEST(Json, EscapesQuotesAndControlCharactersButKeepsJapanese) {
    EXPECT_EQ(Json(std::string("棚\"a\\\n\x01")).Dump(), "\"棚\\\"a\\\\\\n\\u0001\"");
}

}  // namespace
}  // namespace tvx
