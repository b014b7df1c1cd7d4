// The kernel protocol without Jupyter: requests as lines in, events as lines out, over one session.
#include "text/data_directory.h"
#include "text/json.h"
#include "ui/kernel/kernel_server.h"
#include "ui/kernel/kernel_words.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

// Serves the request lines to their end and gives the events, the ready line left out.
std::vector<tJsonValue> Serve(const std::string& requests)
{
    std::istringstream in(requests);
    std::ostringstream out;
    tKernelServer server(in, out, {}, std::filesystem::temp_directory_path().string());
    server.Serve();
    std::vector<tJsonValue> events;
    std::istringstream lines(out.str());
    std::string line;
    while (std::getline(lines, line)) {
        std::string error;
        std::optional<tJsonValue> event = ParseJson(line, error);
        EXPECT_TRUE(event.has_value()) << line << ": " << error;
        if (event)
            events.push_back(std::move(*event));
    }
    EXPECT_FALSE(events.empty());
    if (!events.empty()) {
        EXPECT_EQ(events.front().StringMember("event"), "ready");
        events.erase(events.begin());
    }
    return events;
}

std::string Line(std::string_view request)
{
    return std::string(request) + "\n";
}

std::string Execute(std::int32_t id, std::string_view code)
{
    tJsonValue request = tJsonValue::Object({ { "id", id }, { "type", "execute" } });
    request.Set("code", std::string(code));
    return WriteJson(request) + "\n";
}

std::string Kinds(const std::vector<tJsonValue>& events)
{
    std::string kinds;
    for (const tJsonValue& event : events)
        kinds += (kinds.empty() ? "" : " ") + event.StringMember("event").value_or("?");
    return kinds;
}

std::vector<std::string> Row(const tJsonValue& table, std::size_t row)
{
    std::vector<std::string> cells;
    for (const tJsonValue& cell : table.Find("cells")->Elements()[row].Elements())
        cells.push_back(cell.AsString());
    return cells;
}

TEST(KernelServer, ARunSendsWhatItShowsInOrder)
{
    const auto events = Serve(Execute(1,
        "A = {{2,1},{1,3}}\nx = 5\nInv(A)\ny = sqrt(-1)\n?Inv\nGr\xC3\xB6\xC3\x9F"
        "e = 2"));
    ASSERT_EQ(Kinds(events), "variable variable values warning variable output variable done");
    for (const tJsonValue& event : events)
        EXPECT_EQ(event.NumberMember("id"), 1.0);

    const tJsonValue& matrix = *events[0].Find("table");
    EXPECT_EQ(matrix.StringMember("kind"), "matrix");
    EXPECT_EQ(matrix.StringMember("caption"), "A 2x2");
    EXPECT_EQ(matrix.NumberMember("rows"), 2.0);
    EXPECT_EQ(Row(matrix, 1), (std::vector<std::string> { "1", "3" }));
    EXPECT_NE(matrix.StringMember("text")->find("A 2x2\n"), std::string::npos);
    EXPECT_EQ(events[1].Find("table")->StringMember("name"), "x");
    EXPECT_EQ(events[1].Find("table")->StringMember("value"), "5");

    const tJsonValue& values = events[2];
    EXPECT_EQ(values.StringMember("formula"), "Inv(A)");
    const tJsonValue& inverse = values.Find("values")->Elements().at(0);
    EXPECT_EQ(inverse.StringMember("caption"), "Inv(A) 2x2");
    EXPECT_EQ(Row(inverse, 0), (std::vector<std::string> { "0.600", "-0.200" }));

    EXPECT_EQ(events[3].StringMember("text"),
        "Zelle:4: Warnung: Wurzel einer negativen Zahl, 0 genommen");
    EXPECT_NE(
        events[5].StringMember("text")->find("Inverse einer quadr. Matrix"), std::string::npos);
    // Program text leaves as UTF-8.
    EXPECT_EQ(events[6].Find("table")->StringMember("name"),
        "Gr\xC3\xB6\xC3\x9F"
        "e");
    EXPECT_EQ(events[7].StringMember("status"), "ok");
}

TEST(KernelServer, DisplayShowsEveryScalarAgainAndHideStopsAMatrix)
{
    const auto events
        = Serve(Execute(1, "a = 1\nb = 2\nDISPLAY\nM = {1,2}\nHIDE M\nM = {3,4}\nb = 3"));
    std::string shown;
    for (const tJsonValue& event : events) {
        if (const tJsonValue* table = event.Find("table"))
            shown += table->StringMember("name").value_or(*table->StringMember("caption")) + ", ";
    }
    EXPECT_EQ(shown, "a, b, a, b, M 1x2, b, ");
    EXPECT_EQ(events.back().StringMember("status"), "ok");
}

TEST(KernelServer, LargeMatricesAreCutAndSeveralValuesNamed)
{
    const auto events = Serve(Execute(2,
        "B = RandomU(60, 30)\nX, D, T = EigenSys({{2,1},{1,2}})"
        "\n{1,2}, 7"));
    ASSERT_EQ(Kinds(events), "variable variable variable variable values done");
    const tJsonValue& large = *events[0].Find("table");
    EXPECT_EQ(large.NumberMember("rows"), 60.0);
    EXPECT_EQ(large.NumberMember("cols"), 30.0);
    EXPECT_EQ(large.Find("cells")->Elements().size(), 50u);
    EXPECT_EQ(Row(large, 0).size(), 20u);
    const auto& several = events[4].Find("values")->Elements();
    ASSERT_EQ(several.size(), 2u);
    EXPECT_EQ(several[0].StringMember("caption"), "{1,2}, 7 [1] 1x2");
    EXPECT_EQ(several[1].StringMember("name"), "{1,2}, 7 [2]");
}

TEST(KernelServer, AFailureNamesItsLineAndTheRunGoesOnWithTheSession)
{
    const auto events = Serve(Execute(3, "b = 1\n\nc = Invv(b)\nd = 2") + Execute(4, "b + 1\nc"));
    ASSERT_EQ(Kinds(events), "variable done values done");
    const tJsonValue& failed = events[1];
    EXPECT_EQ(failed.StringMember("status"), "error");
    EXPECT_EQ(failed.StringMember("kind"), "failure");
    EXPECT_EQ(failed.NumberMember("line"), 3.0);
    EXPECT_EQ(failed.StringMember("statement"), "c = Invv(b)");
    EXPECT_EQ(failed.StringMember("message"), "Unbekannter Name \"Invv\" an Stelle 1 der Formel");
    EXPECT_EQ(failed.StringMember("text"),
        "Zelle:3: Unbekannter Name \"Invv\" an Stelle 1 der Formel\n\"c = Invv(b)\"");
    // The next request sees b; c was never made.
    EXPECT_EQ(events[2].Find("values")->Elements().at(0).StringMember("value"), "2");
    EXPECT_EQ(events[3].NumberMember("line"), 2.0);
}

TEST(KernelServer, PicturesComeAsPngAndSvg)
{
    const auto events = Serve(Execute(5, "ZEICHNE ANIMATE = {{1,0},{0,1},{1,1}}"));
    ASSERT_EQ(Kinds(events), "picture done");
    EXPECT_EQ(events[0].StringMember("name"), "animate-1");
    EXPECT_TRUE(events[0].StringMember("png")->starts_with("iVBORw0KGgo")); // \x89PNG\r\n\x1a\n
    EXPECT_TRUE(events[0].StringMember("svg")->starts_with("PD94bWwg")); // <?xml
    EXPECT_EQ(events[1].StringMember("status"), "ok");
}

TEST(KernelServer, AListingPictureComesAsPng)
{
    const auto events = Serve(
        Execute(6, "ZEICHNE SCATTERPLOT = {1,2,3}', {3,1,2}'\nSET Listing = AN\nLIST GRAPH"));
    ASSERT_EQ(Kinds(events), "picture picture done");
    EXPECT_EQ(events[0].StringMember("name"), "scatterplot-1");
    EXPECT_EQ(events[1].StringMember("name"), "listing-1");
    EXPECT_TRUE(events[1].StringMember("png")->starts_with("iVBORw0KGgo"));
    EXPECT_EQ(events[1].Find("svg"), nullptr);
}

TEST(KernelServer, CompletionAndHelpAtTheCursor)
{
    const auto events = Serve(Execute(1,
                                  "Inverse = 1\n\xC3\xBC"
                                  "ber = 2")
        + Line(R"({"id":2,"type":"complete","code":"y = In","cursor":6})")
        + Line(R"({"id":3,"type":"complete","code":"\u00e4 = \u00fcb + In","cursor":6})")
        + Line(R"({"id":4,"type":"complete","code":"x = 1 + ","cursor":8})")
        + Line(R"j({"id":5,"type":"inspect","code":"Z = Inv(A)","cursor":7})j")
        + Line(R"j({"id":6,"type":"inspect","code":"Qwertz(1)","cursor":2})j"));
    ASSERT_EQ(Kinds(events), "variable variable done done done done done done");
    const auto matches = [](const tJsonValue& done) {
        std::vector<std::string> words;
        for (const tJsonValue& word : done.Find("matches")->Elements())
            words.push_back(word.AsString());
        return words;
    };
    const std::vector<std::string> in = matches(events[3]);
    EXPECT_NE(std::find(in.begin(), in.end(), "Inv"), in.end());
    EXPECT_NE(std::find(in.begin(), in.end(), "Inverse"), in.end()); // a variable of the session
    EXPECT_EQ(events[3].NumberMember("start"), 4.0);
    EXPECT_EQ(events[3].NumberMember("end"), 6.0);
    // Cursors count characters, not bytes.
    EXPECT_EQ(matches(events[4]),
        (std::vector<std::string> { "\xC3\xBC"
                                    "ber" }));
    EXPECT_EQ(events[4].NumberMember("start"), 4.0);
    EXPECT_TRUE(matches(events[5]).empty());
    EXPECT_EQ(events[6].Find("found")->AsBoolean(), true);
    EXPECT_EQ(events[6].StringMember("name"), "Inv");
    EXPECT_NE(
        events[6].StringMember("text")->find("Inverse einer quadr. Matrix"), std::string::npos);
    EXPECT_EQ(events[7].Find("found")->AsBoolean(), false);
}

TEST(KernelServer, RequestsThatCannotBeAnsweredAreRefusedAndServingGoesOn)
{
    const std::string tooLong = "{\"id\":9,\"type\":\"execute\",\"code\":\""
        + std::string(MaxRequestBytes, 'x') + "\"}\n";
    const auto events = Serve(std::string("kein json\n[1]\n{\"id\":1}\n")
        + Line(R"({"id":"a","type":"t\u00e4nzen"})") + Line(R"({"id":2,"type":"execute"})")
        + Line(R"({"id":3,"type":"complete","code":"x","cursor":-1})")
        + Line(R"({"id":4,"type":"inspect","code":"x","cursor":1.5})")
        + "{\"id\":5,\"type\":\"execute\",\"code\":\"\xFF\"}\n" + tooLong + Execute(6, "z = 1"));
    ASSERT_EQ(Kinds(events), "done done done done done done done done done variable done");
    for (std::size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(events[i].StringMember("status"), "error") << i;
        EXPECT_EQ(events[i].StringMember("kind"), "request") << i;
    }
    EXPECT_TRUE(events[0].Find("id")->IsNull());
    EXPECT_EQ(events[0].StringMember("message"), "JSON: Wert erwartet an Stelle 1");
    EXPECT_EQ(events[1].StringMember("message"), "Anfrage ist kein JSON-Objekt");
    EXPECT_EQ(events[2].StringMember("message"), "Anfrage ohne Typ (Feld type)");
    EXPECT_EQ(events[2].NumberMember("id"), 1.0);
    EXPECT_EQ(events[3].StringMember("message"), "Unbekannte Anfrage t\xC3\xA4nzen");
    EXPECT_EQ(events[3].StringMember("id"), "a");
    EXPECT_EQ(events[4].StringMember("message"), "Anfrage ohne Text (Feld code)");
    EXPECT_EQ(events[5].StringMember("message"), "Feld cursor ist keine ganze Zahl ab 0");
    EXPECT_EQ(events[6].StringMember("message"), "Feld cursor ist keine ganze Zahl ab 0");
    EXPECT_EQ(events[7].StringMember("message"), "JSON: kein g\xC3\xBCltiges UTF-8 an Stelle 34");
    EXPECT_EQ(events[8].StringMember("message"), "Anfrage l\xC3\xA4nger als 16777216 Bytes");
    EXPECT_EQ(events[10].StringMember("status"), "ok");
}

TEST(KernelServer, AnInterruptStopsTheRunAndThoseWaitingButNotLaterOnes)
{
    // The interrupt is read while the first run computes or before it starts; either way that run
    // and the one waiting behind it stop, and the run sent after the interrupt runs in full.
    const auto events = Serve(Execute(1, "M = RandomN(200,200)\nX, D, T = EigenSys(M * M')")
        + Execute(2, "w = 1") + Line(R"({"type":"interrupt"})") + Execute(3, "v = 2"));
    const std::string kinds = Kinds(events);
    ASSERT_TRUE(kinds == "done done variable done" || kinds == "variable done done variable done")
        << kinds;
    const std::size_t first = kinds.starts_with("variable") ? 1 : 0;
    for (const tJsonValue* done : { &events[first], &events[first + 1] }) {
        EXPECT_EQ(done->StringMember("kind"), "interrupted");
        EXPECT_EQ(done->StringMember("message"), "Abgebrochen (auf Wunsch des Benutzers)");
    }
    EXPECT_EQ(events[first + 1].NumberMember("id"), 2.0);
    EXPECT_EQ(events.back().NumberMember("id"), 3.0);
    EXPECT_EQ(events.back().StringMember("status"), "ok");
}

TEST(KernelServer, AnInterruptWhileIdleIsDroppedAndShutdownEndsServing)
{
    std::istringstream in(
        Execute(1, "a = 1") + Line(R"({"id":2,"type":"shutdown"})") + Execute(3, "b = 2"));
    std::ostringstream out;
    tKernelServer server(in, out, {}, ".");
    server.InterruptRun(); // a SIGINT between runs
    server.Serve();
    const std::string text = out.str();
    EXPECT_NE(text.find(R"({"id":1,"event":"done","status":"ok"})"), std::string::npos) << text;
    EXPECT_NE(text.find(R"({"id":2,"event":"done","status":"ok"})"), std::string::npos) << text;
    EXPECT_EQ(text.find(R"("id":3)"), std::string::npos) << text;
}

TEST(KernelWords, TheNameBeforeAndUnderTheCursor)
{
    const auto text = [](std::string_view code, tWordSpan span) {
        return std::string(code.substr(span.Start, span.End - span.Start));
    };
    EXPECT_EQ(text("x = Inv", WordBeforeCursor("x = Inv", 7)), "Inv");
    EXPECT_EQ(text("x = Inv", WordBeforeCursor("x = Inv", 99)), "Inv");
    EXPECT_EQ(text("x = Inv(A)", WordBeforeCursor("x = Inv(A)", 6)), "In");
    EXPECT_EQ(text("?Gr\xF6\xDF"
                   "e",
                  WordBeforeCursor("?Gr\xF6\xDF"
                                   "e",
                      6)),
        "Gr\xF6\xDF"
        "e");
    EXPECT_EQ(text("a + ", WordBeforeCursor("a + ", 4)), "");
    EXPECT_EQ(text("x = Inv(A)", WordAtCursor("x = Inv(A)", 5)), "Inv");
    EXPECT_EQ(text("x = Inv(", WordAtCursor("x = Inv(", 8)), "Inv"); // right after "("
    EXPECT_EQ(text("x = Inv(A)", WordAtCursor("x = Inv(A)", 8)), "A");
    EXPECT_EQ(text("x_1 + 2", WordAtCursor("x_1 + 2", 0)), "x_1");
    EXPECT_EQ(text("", WordAtCursor("", 3)), "");
}

} // namespace
} // namespace zelvora
