// The listing window "Zelvora's listing": numbered statements, headings and comments, tables and
// pictures in their fonts, saved as RTF (or appended to the RTF file) and exported as HTML.
#pragma once

#include "ports/picture_port.h"
#include "text_window.h"
#include "ui/listing_document.h"

class QTextEdit;

namespace zelvora {
class tSession;
} // namespace zelvora

namespace zelvora::gui {

class tListingWindow : public tTextWindow, public tTextViewPort, public tListingPicturePort {
    Q_OBJECT

public:
    explicit tListingWindow(QWidget* parent = nullptr);

    // The session whose listing it shows and saves, once the session exists.
    void Attach(tSession& session);

    void AppendLines(std::string_view text, tTextStyle style) override;
    void addBitmap(const tPicture& picture) override;
    void Clear() override;
    std::string PlainText() const override { return m_blocks.PlainText(); }

    // Writes the listing as an HTML page; false when the file could not be written.
    bool ExportHtml(const QString& path) const;
    QTextEdit* View() const { return m_view; }
    const tListingDocument& Blocks() const { return m_blocks; }

protected:
    bool WriteFile() override;
    void SaveAs() override;
    void ClearText() override;
    bool AppendMode() const override;
    void SetAppendMode(bool on) override;
    bool Modified() const override;
    QString FilePath() const override;

private:
    void UpdateCaption();
    void ChooseHtmlFile();

    QTextEdit* m_view;
    tListingDocument m_blocks;
    tSession* m_session = nullptr;
    std::size_t m_savedBlocks = 0; // blocks already in the file, for appending
    int m_pictureCount = 0;
};

// A picture as PNG bytes (for RTF and HTML); empty when it cannot be encoded.
std::string PngBytes(const tPicture& picture);

} // namespace zelvora::gui
