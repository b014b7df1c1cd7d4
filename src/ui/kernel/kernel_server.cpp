// The kernel protocol. A reader thread takes the requests as they come, so that an interrupt
// reaches a run while it computes; everything else is answered in order on the calling thread,
// which alone runs the session and writes the answers.
#include "ui/kernel/kernel_server.h"

#include "numerics/checkpoint.h"
#include "text/text_encoding.h"
#include "ui/kernel/kernel_session.h"
#include "ui/kernel/kernel_words.h"

#include <cmath>
#include <istream>
#include <ostream>
#include <thread>

namespace zelvora {
namespace {

constexpr std::int32_t ProtocolVersion = 1;
// Where a run's statements are placed in failures and warnings ("Zelle:3: ...").
constexpr const char* DefaultSource = "Zelle";

// Reads one line without its line feed, keeping at most limit bytes; false at the end of the
// input when nothing was read. tooLong tells that bytes were dropped.
bool ReadLine(std::istream& in, std::string& line, bool& tooLong)
{
    line.clear();
    tooLong = false;
    std::streambuf* buffer = in.rdbuf();
    bool any = false;
    while (true) {
        const auto next = buffer->sbumpc();
        if (next == std::char_traits<char>::eof())
            return any;
        any = true;
        if (next == '\n')
            return true;
        if (line.size() < MaxRequestBytes)
            line += static_cast<char>(next);
        else
            tooLong = true;
    }
}

// A cursor in characters of the UTF-8 text, as a position in its program text (one byte per
// character); nothing when the field is there but no whole number from 0.
std::optional<std::size_t> CursorOf(const tJsonValue& body, std::size_t textLength)
{
    const tJsonValue* cursor = body.Find("cursor");
    if (!cursor || cursor->IsNull())
        return textLength;
    if (cursor->Kind() != tJsonValue::tKind::Number || cursor->AsNumber() < 0
        || cursor->AsNumber() != std::floor(cursor->AsNumber()))
        return std::nullopt;
    return static_cast<std::size_t>(std::min(cursor->AsNumber(), static_cast<double>(textLength)));
}

// The kind of a failed run for the notebook.
const char* FailureKind(const tRunOutcome& result, bool interrupted)
{
    if (interrupted)
        return "interrupted";
    return result.RunTimeError ? "runtime" : "failure";
}

} // namespace

tKernelServer::tKernelServer(
    std::istream& in, std::ostream& out, const tPlatformPaths& paths, std::string directory)
    : m_in(in)
    , m_out(out)
    , m_directory(std::move(directory))
    , m_session(std::make_unique<tKernelSession>(
          [this](tJsonValue event) { Emit(m_currentId, event); }, paths))
{
}

tKernelServer::~tKernelServer() = default;

void tKernelServer::Serve()
{
    Emit({}, tJsonValue::Object({ { "event", "ready" }, { "protocol", ProtocolVersion } }));
    std::thread reader([this] { ReadRequests(); });
    while (true) {
        const tRequest request = NextRequest();
        if (request.End)
            break;
        m_currentId = request.Id;
        if (!request.Fault.empty())
            Refuse(request.Id, request.Fault);
        else if (request.Type == "execute")
            Execute(request);
        else if (request.Type == "complete")
            Complete(request);
        else if (request.Type == "inspect")
            Inspect(request);
        else if (request.Type == "shutdown") {
            Done(request.Id, tJsonValue::Object({ { "status", "ok" } }));
            break;
        } else
            Refuse(request.Id, "Unbekannte Anfrage " + Utf8ToCp1252(request.Type));
    }
    reader.join();
}

void tKernelServer::InterruptRun() noexcept
{
    if (m_running.load()) {
        m_interrupted.store(true);
        m_session->RequestInterrupt();
    }
}

void tKernelServer::ReadRequests()
{
    std::string line;
    bool tooLong = false;
    while (ReadLine(m_in, line, tooLong)) {
        tRequest request;
        std::string fault;
        std::optional<tJsonValue> body = tooLong ? std::nullopt : ParseJson(line, fault);
        if (tooLong)
            request.Fault = "Anfrage l\xE4nger als " + std::to_string(MaxRequestBytes) + " Bytes";
        else if (!body)
            request.Fault = fault;
        else if (body->Kind() != tJsonValue::tKind::Object)
            request.Fault = "Anfrage ist kein JSON-Objekt";
        else if (!body->StringMember("type"))
            request.Fault = "Anfrage ohne Typ (Feld type)";
        if (body && body->Find("id"))
            request.Id = *body->Find("id");
        if (request.Fault.empty()) {
            request.Type = *body->StringMember("type");
            request.Body = std::move(*body);
        }
        if (request.Type == "interrupt") {
            CancelWaitingAndRunning();
            continue;
        }
        const bool last = request.Type == "shutdown";
        Queue(std::move(request));
        if (last)
            return;
    }
    tRequest end;
    end.End = true;
    Queue(std::move(end));
}

void tKernelServer::Queue(tRequest request)
{
    {
        const std::lock_guard lock(m_mutex);
        m_waiting.push_back(std::move(request));
    }
    m_arrived.notify_one();
}

void tKernelServer::CancelWaitingAndRunning()
{
    const std::lock_guard lock(m_mutex);
    for (tRequest& request : m_waiting) {
        if (request.Type == "execute")
            request.Cancelled = true;
    }
    InterruptRun();
}

tKernelServer::tRequest tKernelServer::NextRequest()
{
    std::unique_lock lock(m_mutex);
    m_arrived.wait(lock, [this] { return !m_waiting.empty(); });
    tRequest request = std::move(m_waiting.front());
    m_waiting.pop_front();
    if (request.Type == "execute" && !request.Cancelled) {
        // A stop request from before this run (one that came as the last run ended) is dropped;
        // from here on a stop request is this run's.
        m_session->ClearInterrupt();
        m_interrupted.store(false);
        m_running.store(true);
    }
    return request;
}

void tKernelServer::Execute(const tRequest& request)
{
    const std::optional<std::string> code = request.Body.StringMember("code");
    const std::string source
        = Utf8ToCp1252(request.Body.StringMember("source").value_or(DefaultSource));
    tRunOutcome result;
    if (request.Cancelled) {
        result.Success = false;
        result.Message = InterruptedText;
    } else if (!code) {
        m_running.store(false);
        Refuse(request.Id, "Anfrage ohne Text (Feld code)");
        return;
    } else {
        result = m_session->Run(Utf8ToCp1252(*code), m_directory, source);
    }
    bool interrupted = request.Cancelled;
    {
        const std::lock_guard lock(m_mutex);
        m_running.store(false);
        interrupted = interrupted || m_interrupted.load();
    }
    if (result.Success) {
        Done(request.Id, tJsonValue::Object({ { "status", "ok" } }));
        return;
    }
    const tRunPlace place = FailedStatementPlace(result);
    const std::string message = result.RunTimeError ? result.ErrorText : result.Message;
    tJsonValue reply
        = tJsonValue::Object({ { "status", "error" }, { "kind", FailureKind(result, interrupted) },
            { "message", JsonText(message) }, { "text", JsonText(LocatedFailureText(result)) },
            { "statement", JsonText(place.Statement) }, { "source", JsonText(place.Source) } });
    if (place.Line > 0)
        reply.Set("line", place.Line);
    Done(request.Id, std::move(reply));
}

std::optional<tKernelServer::tCodeAtCursor> tKernelServer::CodeAtCursor(const tRequest& request)
{
    const std::optional<std::string> code = request.Body.StringMember("code");
    if (!code) {
        Refuse(request.Id, "Anfrage ohne Text (Feld code)");
        return std::nullopt;
    }
    std::string text = Utf8ToCp1252(*code);
    const std::optional<std::size_t> cursor = CursorOf(request.Body, text.size());
    if (!cursor) {
        Refuse(request.Id, "Feld cursor ist keine ganze Zahl ab 0");
        return std::nullopt;
    }
    return tCodeAtCursor { std::move(text), *cursor };
}

void tKernelServer::Complete(const tRequest& request)
{
    const std::optional<tCodeAtCursor> asked = CodeAtCursor(request);
    if (!asked)
        return;
    const std::string& text = asked->Text;
    const tWordSpan word = WordBeforeCursor(text, asked->Cursor);
    tJsonValue matches = tJsonValue::Array();
    if (word.End > word.Start) {
        for (const std::string& match :
            m_session->Completions(text.substr(word.Start, word.End - word.Start)))
            matches.Append(JsonText(match));
    }
    Done(request.Id,
        tJsonValue::Object({ { "status", "ok" }, { "matches", std::move(matches) },
            { "start", static_cast<std::int64_t>(word.Start) },
            { "end", static_cast<std::int64_t>(word.End) } }));
}

void tKernelServer::Inspect(const tRequest& request)
{
    const std::optional<tCodeAtCursor> asked = CodeAtCursor(request);
    if (!asked)
        return;
    const std::string& text = asked->Text;
    const tWordSpan word = WordAtCursor(text, asked->Cursor);
    const std::string name = text.substr(word.Start, word.End - word.Start);
    const std::optional<std::string> help = name.empty() ? std::nullopt : m_session->Help(name);
    tJsonValue reply = tJsonValue::Object(
        { { "status", "ok" }, { "found", help.has_value() }, { "name", JsonText(name) } });
    if (help)
        reply.Set("text", JsonText(*help));
    Done(request.Id, std::move(reply));
}

void tKernelServer::Emit(const tJsonValue& id, const tJsonValue& event)
{
    tJsonValue line = tJsonValue::Object({ { "id", id } });
    for (const auto& [key, value] : event.Members())
        line.Set(key, value);
    m_out << WriteJson(line) << '\n';
    m_out.flush();
}

void tKernelServer::Done(const tJsonValue& id, tJsonValue fields)
{
    tJsonValue event = tJsonValue::Object({ { "event", "done" } });
    for (auto& [key, value] : fields.Members())
        event.Set(key, value);
    Emit(id, event);
}

void tKernelServer::Refuse(const tJsonValue& id, std::string_view message)
{
    Done(id,
        tJsonValue::Object(
            { { "status", "error" }, { "kind", "request" }, { "message", JsonText(message) } }));
}

} // namespace zelvora
