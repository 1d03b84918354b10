// Every run of the portable suite computes doubles as the Windows programs do: rounded once, to 53 bits.
#include <gtest/gtest.h>

#include "tests/x87_precision.h"

namespace qv {
namespace {

// Sets the precision before the first test, as the i686 program's start-up does.
class DoublePrecision : public ::testing::Environment {
public:
    void SetUp() override { SetX87DoublePrecision(); }
};

const ::testing::Environment* const kDoublePrecision = ::testing::AddGlobalTestEnvironment(new DoublePrecision);

// 1 + 2^-53 + 2^-64 lies just above the midpoint between 1 and the next double, so it
// rounds up. Rounded to 64 bits first, it lands on the midpoint itself, which then
// rounds to the even 1: the double rounding that made readings of typed numbers wrong.
TEST(DoublePrecision, ASumIsRoundedOnceToDouble) {
    ASSERT_NE(kDoublePrecision, nullptr);
    volatile double one = 1.0;
    volatile double small = 0x1.002p-53;  // 2^-53 + 2^-64
    const double sum = one + small;
    EXPECT_EQ(sum, 0x1.0000000000001p0);
}

}  // namespace
}  // namespace qv
