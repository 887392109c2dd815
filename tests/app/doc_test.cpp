#include "app/doc.h"

#include <gtest/gtest.h>

TEST(Doc, StartsEmpty) {
    Doc doc;
    EXPECT_TRUE(doc.GetPolyline().empty());
    EXPECT_FALSE(doc.IsBuilt());
}
