// SPDX-License-Identifier: GPL-3.0-or-later
// Numeric arrays in text files, and panel files that cannot be used.
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <string>

#include "tests/runtime/panel_fixture.h"

namespace kvor::test {
namespace {

std::string Slurp(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll().toStdString();
}

void Spit(const QString& path, const QByteArray& text) {
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(text);
}

TEST(ArrayFiles, WritesOneColumnOfWidthFiveAndReadsItBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath("para.dat");
    std::uint32_t words[16] = {500, 0,   512, 0, 1,    1,     1, 1024,
                               512, 100, 0,   1, 1024, 30000, 0, 65535};
    ASSERT_EQ(ArrayToFile(path.toUtf8().constData(), words, VAL_UNSIGNED_INTEGER, 16, 1,
                          VAL_GROUPS_TOGETHER, VAL_GROUPS_AS_COLUMNS, VAL_CONST_WIDTH, 5, VAL_ASCII,
                          VAL_TRUNCATE),
              0);
    const std::string text = Slurp(path);
    EXPECT_EQ(text.substr(0, 18), "  500\n    0\n  512\n");
    EXPECT_EQ(text.size(), 16u * 6u);
    EXPECT_NE(text.find("30000\n"), std::string::npos);
    std::uint32_t back[16] = {};
    ASSERT_EQ(FileToArray(path.toUtf8().constData(), back, VAL_UNSIGNED_INTEGER, 16, 1,
                          VAL_GROUPS_TOGETHER, VAL_GROUPS_AS_COLUMNS, VAL_ASCII),
              0);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(back[i], words[i]);
}

TEST(ArrayFiles, RefusesWhatIsNotSixteenNumbersAndLeavesTheArray) {
    QTemporaryDir dir;
    const QString path = dir.filePath("bad.dat");
    const QByteArray cases[] = {
        "",                                                // empty
        "1 2 3",                                           // too few
        "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 x16",         // not a number
        "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 -16",         // negative
        "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17",       // too many
        "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 99999999999", // beyond 32 bits
        QByteArray("\x7f"
                   "ELF\x02\x01\x01\0\0\0",
                   10), // not text
    };
    for (const QByteArray& text : cases) {
        Spit(path, text);
        std::uint32_t words[16];
        for (auto& w : words)
            w = 7;
        EXPECT_LT(FileToArray(path.toUtf8().constData(), words, VAL_UNSIGNED_INTEGER, 16, 1, 0, 0,
                              VAL_ASCII),
                  0)
            << text.constData();
        for (auto w : words)
            EXPECT_EQ(w, 7u);
    }
    std::uint32_t words[16] = {};
    EXPECT_LT(FileToArray(dir.filePath("missing.dat").toUtf8().constData(), words,
                          VAL_UNSIGNED_INTEGER, 16, 1, 0, 0, VAL_ASCII),
              0);
    // Sixteen numbers on one line, separated by tabs and spaces, are a parameter set too.
    Spit(path, "1\t2 3  4\r\n5 6 7 8 9 10 11 12 13 14 15 16");
    EXPECT_EQ(
        FileToArray(path.toUtf8().constData(), words, VAL_UNSIGNED_INTEGER, 16, 1, 0, 0, VAL_ASCII),
        0);
    EXPECT_EQ(words[15], 16u);
}

TEST(ArrayFiles, UnwritablePathFails) {
    std::uint32_t words[16] = {};
    EXPECT_LT(ArrayToFile("/nonexistent-dir/x.dat", words, VAL_UNSIGNED_INTEGER, 16, 1, 0, 0, 0, 5,
                          VAL_ASCII, VAL_TRUNCATE),
              0);
}

class PanelFileTest : public PanelTest {};

TEST_F(PanelFileTest, FaultsMakeLoadPanelFail) {
    const std::string good = R"({"panels":[{"resource":1,"title":"t","size":[100,100],"controls":[
        {"id":1,"kind":"numeric","type":"u16","rect":[1,1,50,20],"label":"x"}]}]})";
    EXPECT_GT(Load(good), 0);
    EXPECT_LT(Load(good, 2), 0);            // missing resource
    EXPECT_LT(Load("{\"panels\": [ {"), 0); // malformed
    std::string kind = good;
    kind.replace(kind.find("numeric"), 7, "gauge");
    EXPECT_LT(Load(kind), 0); // unknown kind
    std::string cb = good;
    cb.insert(cb.find("\"label\""), R"("callback":"NoSuchCallback","events":["commit"],)");
    EXPECT_LT(Load(cb), 0); // unknown callback
    std::string twice = good;
    twice.insert(twice.rfind("]}]}"),
                 R"(,{"id":1,"kind":"numeric","type":"u16","rect":[1,30,50,20],"label":"y"})");
    EXPECT_LT(Load(twice), 0); // an id used twice
}

} // namespace
} // namespace kvor::test
