// Calendar and time values written with the marker words of the message file (2024年1月5日,
// 9時30分0秒).
#include "TestFmtSupport.h"
#include "VktMsgFile.h"

namespace {

class Marker : public VktFmt {
protected:
    void SetUp() override
    {
        VktFmt::SetUp();
        Load(VktMsgTexts());
    }
    void Load(const std::vector<std::string>& texts)
    {
        std::string path = VktWriteMsgFile(m_dir.Path(), texts);
        ASSERT_FALSE(path.empty());
        ASSERT_EQ(VkeSubLoadMsg(sub, path.c_str()), 0);
    }
    VktTempDir m_dir;
};

} // namespace

TEST_F(Marker, Dates)
{
    VktGetTable(VkeSubGetDate, sub,
                {
                    {"2024年1月5日", 0, "20240105"},
                    {"24年1月5日", 0, "20240105"},
                    {"99年12月31日", 0, "19991231"},
                    {" 2024年 1月 5日 ", 0, "20240105"},
                    {"2024/1/5", 0, "20240105"}, // the separator forms still work
                    {"2024年1月5日 です", -21, nullptr},
                    {"2024年1月5日5", -21, nullptr},
                    {"2024年1月", -21, nullptr},
                    {"年1月5日", -21, nullptr},
                    {"2024年2月30日", -21, nullptr},
                    {"2024年1/5", -21, nullptr},
                });
    VktGetTable(VkeSubGetYYMM, sub, {{"2024年3月", 0, "202403"}, {"24年13月", -22, nullptr}});
    VktGetTable(VkeSubGetMMDD, sub, {{"2月29日", 0, "0229"}, {"2月30日", -23, nullptr}});
    VktGetTable(VkeSubGetYear, sub,
                {{"2024年", 0, "2024"}, {"24年", 0, "2024"}, {"年", -24, nullptr}, {"2024年x", -24, nullptr}});
    VktGetTable(VkeSubGetMonth, sub, {{"3月", 0, "03"}, {"13月", -25, nullptr}});
    VktGetTable(VkeSubGetDay, sub, {{"5日", 0, "05"}, {" 31 日 ", 0, "31"}});
    // Checks take the fixed-width digits only.
    EXPECT_EQ(VkeSubChkDate(sub, "2024年1月5日"), -21);
    EXPECT_EQ(VkeSubChkYear(sub, "2024年"), -24);
    // Weeks have no marker words.
    VktGetTable(VkeSubGetWeekOfYear, sub, {{"5週", -27, nullptr}});
}

TEST_F(Marker, Times)
{
    VktGetTable(VkeSubGetTime, sub,
                {{"9時30分0秒", 0, "093000"},
                 {"23時59分59秒", 0, "235959"},
                 {"24時0分0秒", -29, nullptr},
                 {"9時30分", -29, nullptr},
                 {"9時30分0秒後", -29, nullptr}});
    VktGetTable(VkeSubGetHHMM, sub, {{"7時5分", 0, "0705"}});
    VktGetTable(VkeSubGetMMSS, sub, {{"59分59秒", 0, "5959"}});
    VktGetTable(VkeSubGetHour, sub, {{"7時", 0, "07"}});
    VktGetTable(VkeSubGetMinute, sub, {{"5分", 0, "05"}});
    VktGetTable(VkeSubGetSecond, sub, {{"5秒", 0, "05"}, {"60秒", -34, nullptr}});
}

TEST_F(Marker, CalculationsTakeTheMarkerForm)
{
    int weekday = -1;
    EXPECT_EQ(VkeSubCalcDayOfWeek(sub, "2024年1月5日", &weekday), 0);
    EXPECT_EQ(weekday, 5);
}

TEST_F(Marker, MarkersWithTrailBytes)
{
    // Marker words whose second byte is a backslash are found as whole characters.
    std::vector<std::string> texts = VktMsgTexts();
    texts[52 - 1] = "表";
    texts[53 - 1] = "ソ";
    texts[54 - 1] = "能";
    Load(texts);
    VktGetTable(VkeSubGetDate, sub,
                {{"2024表1ソ5能", 0, "20240105"}, {"2024表1\\5能", -21, nullptr}, {"2024年1月5日", -21, nullptr}});
}
