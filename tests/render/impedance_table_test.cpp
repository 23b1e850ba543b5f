// The impedance table dipole-render --impedance prints: full-precision
// numbers with a dot, and empty fields where the feed sits at a current node.
#include "physics/ImpedanceCurve.h"
#include "render/ImpedanceTable.h"

#include <QByteArrayList>

#include <gtest/gtest.h>

namespace {

TEST(ImpedanceTable, EmptyFieldsAtCurrentNodes)
{
    const std::vector<double> lengths = {0.5, 1.0};
    for (const bool withSwr : {false, true}) {
        SCOPED_TRACE(withSwr);
        const auto points = ComputeImpedanceCurve(lengths, 0.001, withSwr ? std::optional(75.0) : std::nullopt);
        const QList<QByteArray> rows = ImpedanceCsv(points, withSwr).split('\n');
        ASSERT_EQ(rows.size(), 4);
        EXPECT_EQ(rows[0], withSwr ? "length,r_in_ohm,x_in_ohm,swr" : "length,r_in_ohm,x_in_ohm");
        const QList<QByteArray> half = rows[1].split(',');
        ASSERT_EQ(half.size(), withSwr ? 4 : 3);
        EXPECT_EQ(half[0], "0.5");
        EXPECT_NEAR(half[1].toDouble(), 73.079010285671385, 1e-12);
        EXPECT_NEAR(half[2].toDouble(), 42.515114705811065, 1e-12);
        if (withSwr) {
            EXPECT_NEAR(half[3].toDouble(), 1.7633608001301844, 1e-13);
        }
        EXPECT_EQ(rows[2], withSwr ? "1,,," : "1,,");
        EXPECT_EQ(rows[3], "");
    }
}

} // namespace
