// Reading daily station series: missing values and complete years.
#include "wetter.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Two years, 2000 (a leap year) and 2001, of one station; the cell of `tag` holds `zelle`.
QByteArray Reihe(const QDate& tag, const char* zelle)
{
    QByteArray text = "date,S001\n";
    for (QDate d(2000, 1, 1); d.year() <= 2001; d = d.addDays(1))
        text += d.toString(Qt::ISODate).toLatin1() + ',' + (d == tag ? QByteArray(zelle) : "0.4") +
                '\n';
    return text;
}

} // namespace

TEST(Wetter, MissingValuesMakeAYearIncomplete)
{
    const struct {
        QDate Tag;
        const char* Zelle;
        std::vector<int> Jahre;
    } faelle[] = {
        {QDate(2000, 3, 1), "0", {2000, 2001}},
        {QDate(2000, 2, 29), "", {2001}},
        {QDate(2001, 12, 31), "-999", {2000}},
        {QDate(2001, 6, 1), "-0.1", {2000}},
    };
    for (const auto& fall : faelle) {
        QString fehler;
        const auto reihen = LeseTagesreihen(Reihe(fall.Tag, fall.Zelle), fehler);
        ASSERT_TRUE(reihen) << fehler.toStdString();
        EXPECT_EQ(reihen->Tage, 731);
        const auto wert =
            reihen->Werte[0][static_cast<std::size_t>(reihen->Erster.daysTo(fall.Tag))];
        EXPECT_EQ(std::isnan(wert), fall.Jahre.size() < 2) << fall.Zelle;
        EXPECT_EQ(VollstaendigeJahre(*reihen, 0), fall.Jahre) << fall.Zelle;
    }
    // Whole years of 365 days without 29 February, in metres.
    QString fehler;
    const auto reihen = LeseTagesreihen(Reihe(QDate(2000, 2, 29), "9"), fehler);
    ASSERT_TRUE(reihen);
    const std::vector<double> tage = Jahresreihe(*reihen, 0, {2000, 2001});
    ASSERT_EQ(tage.size(), 730u);
    EXPECT_DOUBLE_EQ(Monatsmittel(tage)[1], 28 * 0.0004);
}

TEST(Wetter, RejectsBrokenFiles)
{
    for (const char* text :
         {"datum,S001\n2000-01-01,1\n", "date,S001\n2000-01-01,1\n2000-01-03,1\n",
          "date,S001\n2000-01-01,1x\n", "date,S001\n2000-01-01,1,2\n", "date,S001\n"}) {
        QString fehler;
        EXPECT_FALSE(LeseTagesreihen(text, fehler)) << text;
        EXPECT_FALSE(fehler.isEmpty()) << text;
    }
}
