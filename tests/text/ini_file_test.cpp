// The INI file: lookups that fold names, values with quotes and blanks, and rewrites in place that
// keep comments, unknown lines and the order of lines.
#include "text/ini_file.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

TEST(IniFile, ParsesAndRewritesInPlace)
{
    tIniFile file;
    file.Parse("; Kopf\r\n[GUI]\r\n  Schrift = Courier \r\nZahl=+12\r\nKaputt=12x\r\n\r\n[Leer]\r\n"
               "Zitat=\"  mit Blanks \"\r\nohne Gleich\r\n");
    EXPECT_EQ(file.ReadString("gui", "SCHRIFT", "-"), "Courier");
    EXPECT_EQ(file.ReadInteger("GUI", "Zahl", 0), 12);
    EXPECT_EQ(file.ReadInteger("GUI", "Kaputt", 5), 5);
    EXPECT_TRUE(file.ReadBool("GUI", "Kaputt", true));
    EXPECT_FALSE(file.ReadBool("GUI", "Fehlt", false));
    EXPECT_EQ(file.ReadString("Leer", "Zitat", ""), "  mit Blanks ");
    EXPECT_EQ(file.ReadString("Fehlt", "Zahl", "x"), "x");

    file.WriteInteger("gui", "zahl", 7);
    file.WriteString("GUI", "Neu", " b ");
    file.WriteString("Anhang", "Zeile", "a\nb");
    file.WriteBool("Anhang", "An", true);
    EXPECT_EQ(file.Text(),
        "; Kopf\n[GUI]\n  Schrift = Courier \nZahl=7\nKaputt=12x\nNeu=\" b \"\n\n"
        "[Leer]\nZitat=\"  mit Blanks \"\nohne Gleich\n\n[Anhang]\nZeile=a b\nAn=1\n");
    tIniFile again;
    again.Parse(file.Text());
    EXPECT_EQ(again.ReadString("GUI", "Neu", ""), " b ");
}

// Sections and keys fold as names do, umlauts included.
TEST(IniFile, NamesCompareAsFoldedNames)
{
    tIniFile file;
    file.Parse("[Gr\xF6\xDFte]\nM\xFChle=3\n");
    EXPECT_EQ(file.ReadInteger("GR\xD6\xDFTE", "M\xDCHLE", 0), 3);
    EXPECT_TRUE(file.HasKey("gr\xF6\xDFte", "m\xFChle"));
    EXPECT_FALSE(file.HasKey("Grosste", "Muehle"));
}

} // namespace
} // namespace zelvora
