// Writing a matrix value to a file of a named type.
#include "formats/text_matrix_writer.h"

#include "formats/bin_format.h"
#include "formats/bmp_format.h"
#include "formats/csv_format.h"
#include "formats/hex_format.h"
#include "formats/lad_format.h"
#include "formats/oxf_format.h"
#include "formats/pari_format.h"
#include "lexicon/scanner.h"
#include "text/word_list.h"

namespace zelvora {
namespace {

tMatrixWriteResult Failure(std::int32_t code, std::string message)
{
    if (message.size() > 255)
        message.resize(255);
    return { code, std::move(message) };
}

tMatrixWriteResult FromFormat(const tFormatResult& result)
{
    return result.Ok ? tMatrixWriteResult {} : Failure(WriteFailed, result.Message);
}

tMatrixWriteResult Unavailable(std::string_view type)
{
    return Failure(WriteTypeUnavailable,
        "Der Dateityp " + std::string(type)
            + " ist in dieser Ausgabe noch nicht verf\xFC"
              "gbar");
}

enum tNumericType { ntCsv, ntOxf, ntBin, ntHex, ntLad, ntPari, ntBmp, ntRtf };

tMatrixWriteResult WriteNumeric(const tVariable& value, const std::string& type,
    std::string_view fileName, std::int32_t width, std::int32_t decimals,
    std::string_view textOption, const tStringmatrix* labels, tClipboardPort* clipboard)
{
    const trealmatrix& m = value.matrix;
    switch (WordListPosition("CSV;OXF;BIN;HEX;LAD;PARI;BMP;RTF", type, tWordMatch::Exact) - 1) {
    case ntCsv:
        return FromFormat(CsvWrite(m, fileName, width, decimals, textOption, clipboard));
    case ntOxf:
        if (labels != nullptr && labels->Rows() != m.Rows())
            return Failure(WriteNotAMatrix,
                "Zeilzahl in Labelsmatrix ist " + std::to_string(labels->Rows())
                    + " und in Daten ist " + std::to_string(m.Rows()));
        if (labels != nullptr && labels->Cols() != 2)
            return Failure(WriteWrongElements,
                "Spaltenzahl in Labelsmatrix mu\xDF 2 sein (ist " + std::to_string(labels->Cols())
                    + ")");
        return FromFormat(OxfWrite(m, fileName, labels));
    case ntHex:
        return FromFormat(HexWrite(m, fileName));
    case ntLad:
        return FromFormat(LadWrite(m, fileName));
    case ntPari:
        return FromFormat(PariWrite(m, fileName, width, decimals, textOption, clipboard));
    case ntBin:
        return FromFormat(BinWrite(m, fileName));
    case ntBmp:
        return FromFormat(BmpWrite(m, fileName));
    case ntRtf:
        return Unavailable(type);
    default:
        return Failure(WriteUnknownType,
            "Unbekannter Dateityp f\xFCr numerische Matrizen .Erlaubt: CSV() OXF() BIN() HEX() "
            "LAD() BMP() RTF()");
    }
}

} // namespace

tMatrixWriteResult WriteMatrixFile(const tVariable& value, std::string_view type,
    std::string_view fileName, std::int32_t width, std::int32_t decimals,
    std::string_view textOption, const tStringmatrix* labels, tClipboardPort* clipboard)
{
    if (value.shape != shMatrix)
        return Failure(WriteNotAMatrix, "Nur Matrizen k\xF6nnen ausgegeben werden");
    const std::string foldedType = NameFold(type);
    if (value.datatype == dtInteger || value.datatype == dtReal)
        return WriteNumeric(
            value, foldedType, fileName, width, decimals, textOption, labels, clipboard);
    if (value.datatype == dtString) {
        switch (WordListPosition("CSV;RTF", foldedType, tWordMatch::Exact) - 1) {
        case 0:
            return FromFormat(StringCsvWrite(value.strmatrix, fileName, textOption, clipboard));
        case 1:
            return Unavailable(foldedType);
        default:
            return Failure(
                WriteUnknownType, "Unbekannter Dateityp f\xFCr Stringmatrizen .Erlaubt: CSV()");
        }
    }
    return Failure(WriteWrongElements,
        "Nur Stringmatrizen oder numerische Matrizen k\xF6nnen ausgegeben werden");
}

} // namespace zelvora
