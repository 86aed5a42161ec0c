// Calendar and time values: fixed-width checks, the separator forms of the parse, short years,
// and the day and week calculations.
#include "TestFmtSupport.h"

using Calendar = VktFmt;

TEST_F(Calendar, ShortYears)
{
    struct Row {
        int in, rc, out;
    } rows[] = {{0, 0, 2000},  {49, 0, 2049},   {50, 0, 1950},       {99, 0, 1999},
                {100, 0, 100}, {9999, 0, 9999}, {10000, -24, 10000}, {-1, -24, -1}};
    for (const Row& r : rows) {
        int y = r.in;
        EXPECT_EQ(VkeSubNmlYear(sub, &y), r.rc) << r.in;
        EXPECT_EQ(y, r.out) << r.in;
    }
    EXPECT_EQ(VkeSubNmlYear(sub, nullptr), -9);
}

TEST_F(Calendar, DateCheck)
{
    VktChkTable(VkeSubChkDate, sub,
                {
                    {"20240229", 0},    {"20230229", -21}, {"20000229", 0},     {"19000229", -21},
                    {"21000229", -21},  {"20240430", 0},   {"20240431", -21},   {"20241231", 0},
                    {"20241301", -21},  {"20240001", -21}, {"20240100", -21},   {"240105", 0},
                    {"000229", 0},      {"990228", 0},     {"990229", -21},     {" 20240105 ", 0},
                    {"00000101", 0},    {"99991231", 0},   {"2024/01/05", -21}, {"2024010", -21},
                    {"202401050", -21}, {"", -12},         {"  ", -12},         {"２０２４０１０５", -21},
                    {"+20240105", -21},
                });
}

TEST_F(Calendar, DateParse)
{
    VktGetTable(VkeSubGetDate, sub,
                {
                    {"2024/1/5", 0, "20240105"},
                    {"24.1.5", 0, "20240105"},
                    {"99/12/31", 0, "19991231"},
                    {"240105", 0, "20240105"},
                    {"500101", 0, "19500101"},
                    {"490101", 0, "20490101"},
                    {" 2024 / 01 / 05 ", 0, "20240105"},
                    {"0/1/1", 0, "20000101"},
                    {"100/1/1", 0, "01000101"},
                    {"2024/001/05", 0, "20240105"},
                    {"1900.2.28", 0, "19000228"},
                    {"2024/1/5 abc", -21, nullptr},
                    {"2024//5", -21, nullptr},
                    {"2024/1/5/6", -21, nullptr},
                    {"2024/1", -21, nullptr},
                    {"2024/13/1", -21, nullptr},
                    {"2023/2/29", -21, nullptr},
                    {"2024/100/5", -21, nullptr},
                    {"12345/1/1", -21, nullptr},
                    {"2024-01-05", -21, nullptr},
                    {"2024/1.5", -21, nullptr},
                    {"/1/5", -21, nullptr},
                    {"2024/-1/5", -21, nullptr},
                    {"2024年1月5日", -21, nullptr}, // no marker words loaded
                    {" ", -12, nullptr},
                });
}

TEST_F(Calendar, YearMonthAndMonthDay)
{
    VktChkTable(VkeSubChkYYMM, sub, {{"2403", 0}, {"202403", 0}, {"202413", -22}, {"240", -22}, {"2024/3", -22}});
    VktGetTable(VkeSubGetYYMM, sub,
                {{"2024/3", 0, "202403"},
                 {"2403", 0, "202403"},
                 {"24.3", 0, "202403"},
                 {"9912", 0, "199912"},
                 {"202413", -22, nullptr},
                 {"2024/0", -22, nullptr},
                 {"2024/3/1", -22, nullptr}});
    VktChkTable(VkeSubChkMMDD, sub,
                {{"0229", 0}, {"0230", -23}, {"0431", -23}, {"1231", 0}, {"1301", -23}, {"0100", -23}, {"229", -23}});
    VktGetTable(VkeSubGetMMDD, sub,
                {{"2/29", 0, "0229"},
                 {"12.31", 0, "1231"},
                 {"0230", -23, nullptr},
                 {"1/32", -23, nullptr},
                 {"4/31", -23, nullptr}});
}

TEST_F(Calendar, SingleFields)
{
    VktGetTable(VkeSubGetYear, sub,
                {{"24", 0, "2024"},
                 {"0024", 0, "2024"},
                 {"100", 0, "0100"},
                 {"0", 0, "2000"},
                 {"9999", 0, "9999"},
                 {"10000", -24, nullptr},
                 {"-1", -24, nullptr},
                 {"20 24", -24, nullptr}});
    VktChkTable(VkeSubChkYear, sub, {{"24", 0}, {"9999", 0}, {"10000", -24}, {"y", -24}, {"", -12}});
    VktGetTable(VkeSubGetMonth, sub, {{"3", 0, "03"}, {"12", 0, "12"}, {"13", -25, nullptr}, {"0", -25, nullptr}});
    VktGetTable(VkeSubGetDay, sub, {{"31", 0, "31"}, {"1", 0, "01"}, {"0", -26, nullptr}, {"32", -26, nullptr}});
}

TEST_F(Calendar, Weeks)
{
    // A leap year that begins on a Saturday has a 54th week, so 54 is a week the check accepts.
    VktGetTable(VkeSubGetWeekOfYear, sub,
                {{"5", 0, "05"}, {"54", 0, "54"}, {"01", 0, "01"}, {"55", -27, nullptr}, {"0", -27, nullptr}});
    VktGetTable(VkeSubGetWeekOfMonth, sub, {{"06", 0, "6"}, {"1", 0, "1"}, {"7", -28, nullptr}, {"0", -28, nullptr}});
    int week = 0;
    ASSERT_EQ(VkeSubCalcWeekOfYear(sub, "20001231", &week), 0);
    EXPECT_EQ(week, 54);
    char text[8];
    snprintf(text, sizeof(text), "%d", week);
    EXPECT_EQ(VkeSubChkWeekOfYear(sub, text), 0);
}

TEST_F(Calendar, DayOfYearAndWeekday)
{
    struct Row {
        const char* date;
        int dayOfYear, weekday;
    } rows[] = {
        {"19700101", 0, 4},   {"20000101", 0, 6},   {"19000101", 0, 1},  {"00010101", 0, 1},
        {"99991231", 364, 5}, {"30000101", 0, 3},   {"16000101", 0, 6},  {"2024/1/5", 4, 5},
        {"21000301", 59, 1},  {"15821015", 287, 5}, {"40000229", 59, 2}, {"20241231", 365, 2},
        {"20231231", 364, 0}, {"19000301", 59, 4},  {"20000301", 60, 3}, {"00000101", 0, 6},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.date);
        int day = -1, weekday = -1;
        EXPECT_EQ(VkeSubCalcDayOfYear(sub, r.date, &day), 0);
        EXPECT_EQ(day, r.dayOfYear);
        EXPECT_EQ(VkeSubCalcDayOfWeek(sub, r.date, &weekday), 0);
        EXPECT_EQ(weekday, r.weekday);
    }
}

TEST_F(Calendar, WeekOfYearAtYearEnds)
{
    struct Row {
        const char* date;
        int week;
    } rows[] = {
        {"20240101", 1},  {"20240106", 1},  {"20240107", 2},  {"20241231", 53}, {"20230101", 1},
        {"20230107", 1},  {"20230108", 2},  {"20231231", 53}, {"20001230", 53}, {"20001231", 54},
        {"19721231", 54}, {"20111231", 53}, {"20210102", 1},  {"20210103", 2},  {"20161231", 53},
    };
    for (const Row& r : rows) {
        int week = -1;
        EXPECT_EQ(VkeSubCalcWeekOfYear(sub, r.date, &week), 0) << r.date;
        EXPECT_EQ(week, r.week) << r.date;
    }
    // Every 1 January is in week 1, whatever its weekday.
    for (int y = 1995; y <= 2030; ++y) {
        char date[16];
        snprintf(date, sizeof(date), "%04d0101", y);
        int week = -1;
        EXPECT_EQ(VkeSubCalcWeekOfYear(sub, date, &week), 0);
        EXPECT_EQ(week, 1) << date;
    }
}

TEST_F(Calendar, WeekOfMonth)
{
    struct Row {
        const char* date;
        int week;
    } rows[] = {{"20240301", 1}, {"20240302", 1}, {"20240303", 2}, {"20240331", 6}, {"20230401", 1},
                {"20230430", 6}, {"20240201", 1}, {"20240229", 5}, {"20241001", 1}};
    for (const Row& r : rows) {
        int week = -1;
        EXPECT_EQ(VkeSubCalcWeekOfMonth(sub, r.date, &week), 0) << r.date;
        EXPECT_EQ(week, r.week) << r.date;
    }
}

TEST_F(Calendar, CalculationFailures)
{
    int out = -1;
    EXPECT_EQ(VkeSubCalcDayOfYear(sub, "", &out), -12);
    EXPECT_EQ(out, 0);
    out = -1;
    EXPECT_EQ(VkeSubCalcDayOfWeek(sub, "2024/13/1", &out), -21);
    EXPECT_EQ(out, 0);
    EXPECT_EQ(VkeSubCalcWeekOfYear(sub, nullptr, &out), -9);
    EXPECT_EQ(VkeSubCalcWeekOfMonth(sub, "20240101", nullptr), -9);
    // These exports expect only success: a bad date is traced.
    int before = Traced();
    EXPECT_EQ(VkeSubCalcWeekOfMonth(sub, "x", &out), -21);
    EXPECT_EQ(Traced(), before + 1);
    // A long date text (beyond the 1024-byte work area) is read whole.
    std::string spaced = std::string(2000, ' ') + "2024/1/5";
    EXPECT_EQ(VkeSubCalcDayOfWeek(sub, spaced.c_str(), &out), 0);
    EXPECT_EQ(out, 5);
}

TEST_F(Calendar, TimeKinds)
{
    VktChkTable(VkeSubChkTime, sub,
                {{"235959", 0},
                 {"240000", -29},
                 {"006000", -29},
                 {"000060", -29},
                 {"000000", 0},
                 {"12345", -29},
                 {"09:30:00", -29},
                 {"", -12}});
    VktGetTable(VkeSubGetTime, sub,
                {{"9:30:00", 0, "093000"},
                 {"9.5.7", 0, "090507"},
                 {"23:59:59", 0, "235959"},
                 {"9:30", -29, nullptr},
                 {"123:00:00", -29, nullptr},
                 {"9::00", -29, nullptr},
                 {"24:00:00", -29, nullptr},
                 {"1:2:3:4", -29, nullptr},
                 {"093000", 0, "093000"}});
    VktGetTable(VkeSubGetHHMM, sub,
                {{"7:05", 0, "0705"}, {"7.5", 0, "0705"}, {"2400", -30, nullptr}, {"0760", -30, nullptr}});
    VktGetTable(VkeSubGetMMSS, sub, {{"59:59", 0, "5959"}, {"60:00", -31, nullptr}, {"0:0", 0, "0000"}});
    VktGetTable(VkeSubGetHour, sub, {{"7", 0, "07"}, {"23", 0, "23"}, {"24", -32, nullptr}});
    VktGetTable(VkeSubGetMinute, sub, {{"59", 0, "59"}, {"60", -33, nullptr}});
    VktGetTable(VkeSubGetSecond, sub, {{"5", 0, "05"}, {"60", -34, nullptr}, {"-1", -34, nullptr}});
    VktChkTable(VkeSubChkHHMM, sub, {{"2359", 0}, {"23:59", -30}});
    VktChkTable(VkeSubChkMMSS, sub, {{"5959", 0}, {"595", -31}});
    VktChkTable(VkeSubChkHour, sub, {{"00", 0}, {"24", -32}});
    VktChkTable(VkeSubChkMinute, sub, {{"0", 0}, {"60", -33}});
    VktChkTable(VkeSubChkSecond, sub, {{"59", 0}, {"1.5", -34}});
}

TEST_F(Calendar, ParseRoundTrips)
{
    // A canonical text parses to itself, for every kind.
    struct Row {
        VktGetFn fn;
        const char* canon;
    } rows[] = {
        {VkeSubGetDate, "20240105"}, {VkeSubGetYYMM, "202403"},   {VkeSubGetMMDD, "0229"},
        {VkeSubGetYear, "0100"},     {VkeSubGetMonth, "03"},      {VkeSubGetDay, "31"},
        {VkeSubGetWeekOfYear, "05"}, {VkeSubGetWeekOfMonth, "6"}, {VkeSubGetTime, "093000"},
        {VkeSubGetHHMM, "0705"},     {VkeSubGetMMSS, "5959"},     {VkeSubGetHour, "07"},
        {VkeSubGetMinute, "00"},     {VkeSubGetSecond, "59"},     {VkeSubGetColor, "255,   0, 128"},
        {VkeSubGetText, "表ソ"},
    };
    for (const Row& r : rows) {
        VktOut o = VktRunGet(r.fn, sub, r.canon);
        EXPECT_EQ(o.rc, 0) << r.canon;
        EXPECT_EQ(o.text, r.canon);
        // The canonical text fits a buffer of its length plus one, and not one byte less.
        int len = static_cast<int>(strlen(r.canon));
        o = VktRunGet(r.fn, sub, r.canon, len + 1);
        EXPECT_EQ(o.rc, 0) << r.canon;
    }
    // A two-digit year grows to four digits: the buffer must hold them.
    VktOut o = VktRunGet(VkeSubGetDate, sub, "240105", 8);
    EXPECT_EQ(o.rc, -13);
    EXPECT_EQ(o.text, "240105");
    o = VktRunGet(VkeSubGetDate, sub, "240105", 9);
    EXPECT_EQ(o.rc, 0);
    EXPECT_EQ(o.text, "20240105");
}
