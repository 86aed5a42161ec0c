// The settings of section "Application Information": defaults, fallbacks of damaged values, the
// path lists' entries, a round trip through the file.
#include "TestAplVka.h"
#include <math.h>

namespace {

// A key's stored text, what it reads as, and the key's default.
struct Row {
    const char* key;
    const char* text;
    double (*get)();
    double expected;
    double dflt;
};

#define AT(field) [] { return double(theAppInf.field); }
const Row kRows[] = {
    {"BriDlb_3_cy", "-40", AT(sizBriDlb[2].cy), -40, 0},
    {"PoiFri_iMode", "7", AT(poi.fri.iMode), 3, 3},
    {"PoiFri_bHrzSca", "abc", AT(poi.fri.bHrzSca), 0, 1}, // no digits read as 0, a flag
    {"PoiPri_iMode", "0", AT(poi.pri.iMode), 4, 4},
    {"PoiPri_iOrientation", "5", AT(poi.pri.iOrientation), 3, 3},
    {"PciAii_bRepeat", "2", AT(pciAii.bRepeat), 1, 1},
    {"PciAii_iPerInd", "abc", AT(pciAii.iPerInd), 2000, 2000},
    {"PciFpi_iCntPathName_1", "-5", AT(pciFpi.iCntPathName[0]), 10, 10},
    {"PciFpi_iCntPathName_2", "1000000", AT(pciFpi.iCntPathName[1]), 10, 10},
    {"PciEti_iCntPathName", "1001", AT(pciEti.iCntPathName), 10, 10},
    {"Ooi_bCreBak", "-1", AT(ooi.bCreBak), 1, 1},
    {"Svi_lQltJpg", "101", AT(svi.lQltJpg), 100, 100},
    {"Svi_iImgType", "6", AT(svi.iImgType), 1, 1},
    {"CnvSzi_dScale", "nan", AT(cnvSzi.dScale), 1.0, 1.0},
    {"CnvSzi_lScaDen", "0", AT(cnvSzi.lScaDen), 1, 1},
    {"SopShi_dScaleWheel", "0.95", AT(sopShi.dScaleWheel), 0.1, 0.1},
    {"SopShi_iStylePenFrm", "5", AT(sopShi.iStylePenFrm), 0, 0},
    {"SopShi_iScrSize_3", "99999999999", AT(sopShi.iScrSize[2]), 5, 5},
    {"SopSvi_lQltJpg", "-1", AT(sopSvi.lQltJpg), 100, 100},
    {"SopSvi_iModeAtsFil", "3", AT(sopSvi.iModeAtsFil), 1, 1},
    {"SopSviSzi_dScale", "nan", AT(sopSviSzi.dScale), 1.0, 1.0},
    {"SopSviSzi_iHeight", "-3", AT(sopSviSzi.iHeight), 1, 1},
    {"bOpnSmpImg", "7", AT(bOpnSmpImg), 1, 1},
    {"iOpnOnSel", "99999999999", AT(iOpnOnSel), 3, 3},
};
#undef AT

} // namespace

TEST_F(VkaTest, ANewFileGivesTheDefaultsAndTheExitWritesEveryKey)
{
    ASSERT_EQ(Start(), 0);
    for (const Row& r : kRows) EXPECT_DOUBLE_EQ(r.get(), r.dflt) << r.key;
    const AppInf& inf = theAppInf;
    EXPECT_EQ(inf.pciFpi.iCurPathName[0], 0);
    EXPECT_EQ(inf.pciFpi.iIdxPathName[1], -1);
    EXPECT_EQ(inf.pciEti.iIdxPathName, -1);
    EXPECT_DOUBLE_EQ(inf.sopShi.dScaleWheel, 0.1);
    EXPECT_EQ(inf.sopShi.iScrSize[0] * 10 + inf.sopShi.iScrSize[3], 15);
    EXPECT_EQ(inf.iOpnOnSel, 3);
    EXPECT_EQ(app->GetPrvImg(), 1);
    EXPECT_EQ(app->GetPrvImgTab(), 1);
    Exit();
    // Every key once, in the table's order: 123 with the default capacities (the folder lists
    // are empty, the tool list has ten places).
    std::vector<std::string> keys = Keys();
    ASSERT_EQ(keys.size(), 123u);
    EXPECT_EQ(keys.front(), "BriDlb_1_cx");
    EXPECT_EQ(keys.back(), "iOpnOnSel");
    EXPECT_EQ(Get("PciEti_amPathName_10"), "");
    EXPECT_EQ(Get("PciFpi_amPathName_1_1"), "(none)");
    EXPECT_EQ(Get("SopShi_dScaleWheel"), "0.100000");
    EXPECT_EQ(Get("SopSvi_amFilExt"), "jpg");
}

TEST_F(VkaTest, ValuesThatCannotBeUsedTakeTheirFallbacks)
{
    for (const Row& r : kRows) Put(r.key, r.text);
    // Values far longer than a read takes, one of them cut inside a double-byte character.
    Put("Svi_amSavDir", std::string(5000, 'x').c_str());
    std::string kanji;
    for (int i = 0; i < 2500; ++i) kanji += "表";
    Put("Ooi_amOpiPathName", kanji.c_str());
    ASSERT_EQ(Start(), 0);
    for (const Row& r : kRows) EXPECT_DOUBLE_EQ(r.get(), r.expected) << r.key << "=" << r.text;
    EXPECT_EQ(Text(theAppInf.svi.amSavDir).size(), 1023u);
    const std::string path = Text(theAppInf.ooi.amOpiPathName);
    EXPECT_EQ(path.size(), 1022u) << "a lone lead byte at the cut is dropped";
    EXPECT_EQ(path.substr(0, 4), "表表");
    Exit();
    EXPECT_EQ(Get("Svi_lQltJpg"), "100");
    EXPECT_EQ(Get("SopShi_dScaleWheel"), "0.100000");
    EXPECT_EQ(Get("PciFpi_iCntPathName_2"), "10");
    EXPECT_EQ(Get("PciEti_amPathName_11"), "(none)") << "no more tools than the capacity";
}

TEST_F(VkaTest, AValueInItsRangeStays)
{
    Put("SopShi_dScaleWheel", "0.9");
    Put("CnvSzi_dScale", "0.000001");
    Put("PciFpi_iCntPathName_1", "1000");
    ASSERT_EQ(Start(), 0);
    EXPECT_DOUBLE_EQ(theAppInf.sopShi.dScaleWheel, 0.9);
    EXPECT_DOUBLE_EQ(theAppInf.cnvSzi.dScale, 0.000001);
    EXPECT_EQ(theAppInf.pciFpi.iCntPathName[0], 1000);
}

TEST_F(VkaTest, PathListsReadTheirCountAndToolsTheirCapacity)
{
    // List 1: 12 stored with a capacity of 10 is no list; list 2 holds 3 of its 5 places.
    Put("PciFpi_iCntPathName_1", "10");
    Put("PciFpi_iCurPathName_1", "12");
    Put("PciFpi_iIdxPathName_1", "3");
    Put("PciFpi_iCntPathName_2", "5");
    Put("PciFpi_iCurPathName_2", "3");
    Put("PciFpi_iIdxPathName_2", "2");
    for (int i = 1; i <= 5; ++i) {
        Put(("PciFpi_amPathName_1_" + std::to_string(i)).c_str(), "C:\\one");
        Put(("PciFpi_amPathName_2_" + std::to_string(i)).c_str(), ("C:\\表示\\" + std::to_string(i)).c_str());
    }
    // The tools' index is measured against the capacity, not the count.
    Put("PciEti_iCntPathName", "10");
    Put("PciEti_iCurPathName", "0");
    Put("PciEti_iIdxPathName", "5");
    Put("PciEti_amPathName_10", "C:\\ツール\\表.exe");
    ASSERT_EQ(Start(), 0);
    const PciFpi& fpi = theAppInf.pciFpi;
    EXPECT_EQ(fpi.iCurPathName[0], 0);
    EXPECT_EQ(fpi.iIdxPathName[0], -1);
    EXPECT_EQ(fpi.iCurPathName[1], 3);
    EXPECT_EQ(fpi.iIdxPathName[1], 2);
    EXPECT_EQ(Text(fpi.amPathName[0][0]), "");
    EXPECT_EQ(Text(fpi.amPathName[1][2]), "C:\\表示\\3");
    EXPECT_EQ(Text(fpi.amPathName[1][3]), "") << "entries past the count are not read";
    EXPECT_EQ(theAppInf.pciEti.iIdxPathName, 5);
    EXPECT_EQ(Text(theAppInf.pciEti.amPathName[9]), "C:\\ツール\\表.exe");

    VkeSubSetAppMemStr(theCmnAppInf.pSub, &fpi.amPathName[1][0], "D:\\新");
    Exit();
    EXPECT_EQ(Get("PciFpi_amPathName_2_1"), "D:\\新");
    EXPECT_EQ(Get("PciFpi_amPathName_2_4"), "C:\\表示\\4") << "entries past the count stay as they were";
    EXPECT_EQ(Get("PciFpi_amPathName_1_1"), "C:\\one");
    EXPECT_EQ(Get("PciEti_amPathName_10"), "C:\\ツール\\表.exe");
}

TEST_F(VkaTest, WrittenSettingsReadBackTheSame)
{
    Put("PciFpi_iCntPathName_1", "4");
    ASSERT_EQ(Start(), 0);
    AppInf& inf = theAppInf;
    VkiSub* sub = theCmnAppInf.pSub;
    char font[CmnPathSize] = {};
    ASSERT_EQ(theCmnSub.GetDflFont(3, font, sizeof(font)), 0);
    char red[CmnPathSize] = {};
    ASSERT_EQ(theCmnSub.SetColor(red, sizeof(red), RGB(255, 0, 0)), 0);
    inf.sizBriDlb[2] = {321, 654};
    inf.poi.fri = {2, 0, 0, 1, 0, 40, 30};
    inf.poi.pri.iMode = 6;
    inf.poi.pri.bFooter = 1;
    VkeSubSetAppMemStr(sub, &inf.poi.pri.amLogFontFtr, font);
    inf.pciAii.iPerInd = 1500;
    inf.pciFpi.iCurPathName[0] = 2;
    inf.pciFpi.iIdxPathName[0] = 1;
    VkeSubSetAppMemStr(sub, &inf.pciFpi.amPathName[0][1], "\\\\サーバ\\共有\\表示");
    inf.pciEti.iCurPathName = 3;
    VkeSubSetAppMemStr(sub, &inf.pciEti.amPathName[0], "C:\\ソ能.exe");
    VkeSubSetAppMemStr(sub, &inf.sopSvi.amPrefix, "前_");
    inf.svi.iImgType = 5;
    inf.cnvSzi.dScale = 2.5;
    inf.sopSviSzi.dScale = 0.125;
    inf.sopShi.dScaleWheel = 0.25;
    snprintf(inf.sopShi.strColor[0], CmnPathSize, "%s", red);
    inf.rctDlgSetOpt = {10, 20, 310, 220};
    inf.iOpnOnSel = 2;
    inf.bOpnSmpImg = 0;
    const AppInf before = inf;

    Restart();
    ASSERT_EQ(Start(), 0);
    EXPECT_EQ(inf.sizBriDlb[2].cx, 321);
    EXPECT_EQ(inf.sizBriDlb[2].cy, 654);
    EXPECT_EQ(memcmp(&inf.poi.fri, &before.poi.fri, sizeof(Fri)), 0);
    EXPECT_EQ(inf.poi.pri.iMode, 6);
    EXPECT_EQ(inf.poi.pri.bFooter, 1);
    EXPECT_EQ(Text(inf.poi.pri.amLogFontFtr), font);
    EXPECT_EQ(inf.pciAii.iPerInd, 1500);
    EXPECT_EQ(inf.pciFpi.iCntPathName[0], 4);
    EXPECT_EQ(inf.pciFpi.iIdxPathName[0], 1);
    EXPECT_EQ(Text(inf.pciFpi.amPathName[0][1]), "\\\\サーバ\\共有\\表示");
    EXPECT_EQ(inf.pciEti.iCurPathName, 3);
    EXPECT_EQ(Text(inf.pciEti.amPathName[0]), "C:\\ソ能.exe");
    EXPECT_EQ(Text(inf.sopSvi.amPrefix), "前_");
    EXPECT_EQ(inf.svi.iImgType, 5);
    EXPECT_DOUBLE_EQ(inf.cnvSzi.dScale, 2.5);
    EXPECT_DOUBLE_EQ(inf.sopSviSzi.dScale, 0.125);
    EXPECT_DOUBLE_EQ(inf.sopShi.dScaleWheel, 0.25);
    EXPECT_STREQ(inf.sopShi.strColor[0], red);
    EXPECT_EQ(memcmp(&inf.rctDlgSetOpt, &before.rctDlgSetOpt, sizeof(RECT)), 0);
    EXPECT_EQ(inf.iOpnOnSel, 2);
    EXPECT_EQ(inf.bOpnSmpImg, 0);
}

TEST_F(VkaTest, BinaryLinesInTheFileStopNothing)
{
    const std::string lines = "[Application Information]\r\n\x01\x02\xff\xfe\x81=\xfd\x80\r\n=\r\n\x7f\x7f\r\n"
                              "Svi_lQltJpg=55\r\n\xe0\xe0\xe0\xe0\r\niOpnOnSel=2\r\n";
    ASSERT_TRUE(VktWriteFile(Ini(), lines));
    ASSERT_EQ(Start(), 0);
    EXPECT_EQ(theAppInf.svi.lQltJpg, 55);
    EXPECT_EQ(theAppInf.iOpnOnSel, 2);
    Exit();
    EXPECT_EQ(Get("Svi_lQltJpg"), "55");
    EXPECT_EQ(Get("PoiFri_iMode"), "3");
}
