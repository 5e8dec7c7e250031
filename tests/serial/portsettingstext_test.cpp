#include "serial/portsettingstext.h"

#include <gtest/gtest.h>

#include <limits>

#include "support/qstringprint.h"

using namespace PortSettingsText;

namespace {

template <auto From>
quint32 widened(QStringView text) { return From(text); }

template <auto To, typename T>
QString narrowed(quint32 value) { return To(T(value)); }

struct ListConversion {
    QStringList entries;
    quint32 (*fromText)(QStringView);
    QString (*toText)(quint32);
    const char* odd[2];    // texts not on the list
    quint32 fallback;      // what they read as
    quint32 offList;       // a value not on the list
    const char* offText;   // and its text
};

}  // namespace

// Every entry converts both ways in ascending order of device code; odd texts and values fall back.
TEST(PortSettingsText, ListsConvertBothWaysAndOddInputsFallBack)
{
    const ListConversion lists[] = {
        {baudRates(), baudRateFromText, textOfBaudRate, {"9601", " 9600"}, 0, 9601, ""},
        {byteSizes(), widened<byteSizeFromText>, narrowed<textOfByteSize, quint8>, {"9", "3"}, 8, 3, "8"},
        {parities(), widened<parityFromText>, narrowed<textOfParity, quint8>, {"odd", "Mark "}, 0, 5, "No"},
        {stopBits(), widened<stopBitsFromText>, narrowed<textOfStopBits, quint8>, {"1.0", ""}, 0, 3, "1"},
    };
    for (const ListConversion& list : lists) {
        SCOPED_TRACE(list.entries.join(' ').toStdString());
        for (qsizetype i = 0; i < list.entries.size(); ++i) {
            EXPECT_EQ(list.toText(list.fromText(list.entries[i])), list.entries[i]);
            EXPECT_TRUE(i == 0 || list.fromText(list.entries[i - 1]) < list.fromText(list.entries[i]));
        }
        for (const char* odd : list.odd)
            EXPECT_EQ(list.fromText(QString::fromLatin1(odd)), list.fallback) << odd;
        EXPECT_EQ(list.toText(list.offList), QString::fromLatin1(list.offText));
    }
    EXPECT_EQ(baudRates().size(), 15);
    EXPECT_EQ(textOfByteSize(9), QStringLiteral("8"));
    EXPECT_EQ(stopBitsFromText(u"1.5"), 1);
    EXPECT_EQ(parityFromText(u"Space"), 4);
    EXPECT_EQ(portNames(12).size(), 12);
    EXPECT_EQ(portNames(12).last(), QStringLiteral("COM12"));
}

TEST(PortSettingsText, PortNumberIsTheNumberAfterThePrefix)
{
    const std::pair<const char*, int> cases[] = {{"COM12", 12}, {"COM7x", 7}, {"COM", 0}, {"COM-3", 0}, {"ABC5", 5},
                                                 {"COM99999999999", std::numeric_limits<int>::max()}};
    for (const auto& [name, number] : cases)
        EXPECT_EQ(portNumber(QString::fromLatin1(name)), number) << name;
}
