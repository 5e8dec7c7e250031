#include "serial/portsettingstext.h"

#include <gtest/gtest.h>

#include <limits>

#include "support/qstringprint.h"

using namespace PortSettingsText;

namespace {

struct ListConversion {
    const char* name;
    QStringList entries;
    quint32 (*fromText)(QStringView);
    QString (*toText)(quint32);
};

template <auto From>
quint32 widened(QStringView text)
{
    return From(text);
}

template <auto To, typename T>
QString narrowed(quint32 value)
{
    return To(T(value));
}

const ListConversion kLists[] = {
    {"baud rate", baudRates(), baudRateFromText, textOfBaudRate},
    {"byte size", byteSizes(), widened<byteSizeFromText>, narrowed<textOfByteSize, quint8>},
    {"parity", parities(), widened<parityFromText>, narrowed<textOfParity, quint8>},
    {"stop bits", stopBits(), widened<stopBitsFromText>, narrowed<textOfStopBits, quint8>},
};

}  // namespace

// Every entry converts both ways; the lists' values are the device codes.
TEST(PortSettingsText, ListsConvertBothWays)
{
    for (const ListConversion& list : kLists) {
        EXPECT_FALSE(list.entries.isEmpty()) << list.name;
        for (qsizetype i = 0; i < list.entries.size(); ++i) {
            EXPECT_EQ(list.toText(list.fromText(list.entries[i])), list.entries[i]) << list.name;
            if (i > 0) {
                EXPECT_LT(list.fromText(list.entries[i - 1]), list.fromText(list.entries[i])) << list.name;
            }
        }
    }
    EXPECT_EQ(baudRates().size(), 15);
    EXPECT_EQ(portNames(12).size(), 12);
    EXPECT_EQ(portNames(12).last(), QStringLiteral("COM12"));
    EXPECT_EQ(baudRateFromText(u"256000"), 256000u);
    EXPECT_EQ(byteSizeFromText(u"4"), 4);
    EXPECT_EQ(parityFromText(u"Space"), 4);
    EXPECT_EQ(stopBitsFromText(u"1.5"), 1);
    EXPECT_EQ(stopBitsFromText(u"2"), 2);
}

TEST(PortSettingsText, OddInputsFallBack)
{
    enum List { Baud, Size, Parity, Stop };
    struct Odd {
        List list;
        const char* text;
        quint32 value;
    };
    const Odd texts[] = {
        {Baud, "9601", 0},   {Baud, " 9600", 0},  {Size, "9", 8},   {Size, "3", 8},
        {Parity, "odd", 0},  {Parity, "Mark ", 0}, {Stop, "1.0", 0}, {Stop, "", 0},
    };
    for (const Odd& odd : texts) {
        const ListConversion& list = kLists[odd.list];
        EXPECT_EQ(list.fromText(QString::fromLatin1(odd.text)), odd.value) << list.name << " '" << odd.text << "'";
    }
    EXPECT_EQ(textOfBaudRate(9601), QString());
    EXPECT_EQ(textOfByteSize(3), QStringLiteral("8"));
    EXPECT_EQ(textOfByteSize(9), QStringLiteral("8"));
    EXPECT_EQ(textOfParity(5), QStringLiteral("No"));
    EXPECT_EQ(textOfStopBits(3), QStringLiteral("1"));
}

TEST(PortSettingsText, PortNumberIsTheNumberAfterThePrefix)
{
    struct Case {
        const char* name;
        int number;
    };
    const Case cases[] = {
        {"COM12", 12}, {"COM7x", 7}, {"COM", 0}, {"COM-3", 0}, {"ABC5", 5},
        {"COM99999999999", std::numeric_limits<int>::max()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(portNumber(QString::fromLatin1(c.name)), c.number) << c.name;
}
