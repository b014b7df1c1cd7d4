// The search words of the catalogue, one row per function stem or constant.
#include "lexicon/catalogue_search_words.h"

#include "text/name_fold.h"

#include <string>

namespace zelvora {
namespace {

struct tSearchWords {
    std::string_view Stem; // the name, or the stem of the names stem, stem + "Zl", stem + "Sp"
    std::string_view Words;
};

// clang-format off
constexpr tSearchWords Table[] = {
    { "e",             "Konstante Eulersche Zahl Euler" },
    { "pi",            "Konstante Kreiszahl" },
    { "falsch",        "Konstante logisch unwahr nein" },
    { "wahr",          "Konstante logisch richtig ja" },
    { "f",             "Konstante logisch unwahr nein" },
    { "w",             "Konstante logisch richtig ja" },
    { "hi",            "Konstante gr\xF6\xDFte ganze Zahl Maximum Bereich bis Ende" },
    { "format",        "formatieren Text Zahlenformat Ausgabe" },
    { "Num",           "Zahl aus Text umwandeln Wert" },
    { "abs",           "Betrag absolut Vorzeichen entfernen" },
    { "vorz",          "Vorzeichen Signum" },
    { "neg",           "negativ Vorzeichen umkehren Minus" },
    { "Nicht",         "Negation logisch nicht umkehren" },
    { "Ln",            "Logarithmus nat\xFCrlich logarithmieren" },
    { "Exp",           "Exponentialfunktion e hoch Potenz" },
    { "Quadrat",       "Quadrat quadrieren hoch 2 Potenz" },
    { "Wurzel",        "Quadratwurzel Wurzel ziehen radizieren" },
    { "Summe",         "Summe addieren zusammenz\xE4hlen Gesamt" },
    { "Produkt",       "Produkt multiplizieren malnehmen" },
    { "PExp",          "Exponentialreihe Teilsumme Reihe" },
    { "Wenn",          "Bedingung wenn dann sonst Auswahl falls" },
    { "sin",           "Sinus Winkel Trigonometrie Bogenma\xDF" },
    { "cos",           "Kosinus Cosinus Winkel Trigonometrie" },
    { "tan",           "Tangens Winkel Trigonometrie" },
    { "arcsin",        "Arkussinus Umkehrfunktion Winkel" },
    { "arccos",        "Arkuskosinus Umkehrfunktion Winkel" },
    { "arctan",        "Arkustangens Umkehrfunktion Winkel" },
    { "arcCS",         "Winkel Polarkoordinaten Arkustangens Richtung" },
    { "sinh",          "Sinus hyperbolisch Hyperbelfunktion" },
    { "cosh",          "Kosinus hyperbolisch Hyperbelfunktion" },
    { "tanh",          "Tangens hyperbolisch Hyperbelfunktion" },
    { "arccosh",       "Areakosinus Umkehrfunktion hyperbolisch" },
    { "arcsinh",       "Areasinus Umkehrfunktion hyperbolisch" },
    { "arctanh",       "Areatangens Umkehrfunktion hyperbolisch" },
    { "Ganzzahl",      "ganzzahlig abschneiden Ganzzahlanteil Vorkommastellen" },
    { "Dezimalteil",   "Nachkommastellen Bruchteil Rest" },
    { "Gerundet",      "runden Rundung aufrunden abrunden Stellen" },
    { "GGT",           "gr\xF6\xDFter gemeinsamer Teiler Teiler Zahlentheorie" },
    { "Fak",           "Fakult\xE4t Gammafunktion Kombinatorik" },
    { "PrimNr",        "Primzahl prim Zahlentheorie" },
    { "MAXEXP",        "Exponent Teiler Vielfachheit Zahlentheorie" },
    { "MAXPOW",        "Potenz Teiler Vielfachheit Zahlentheorie" },
    { "F_ord",         "Ordnung Eulersche Phi-Funktion Zahlentheorie" },
    { "Faktorisieren", "Primfaktoren zerlegen Faktorisierung Zahlentheorie" },
    { "null",          "Nullmatrix leer erzeugen Nullen" },
    { "einh",          "Einheitsmatrix Identit\xE4t erzeugen Diagonale" },
    { "f\xFCllen",     "f\xFCllen Wert konstante Matrix erzeugen" },
    { "Dreieck",       "Dreiecksmatrix untere erzeugen" },
    { "Seq",           "Folge Reihe Sequenz von bis Schritt erzeugen" },
    { "Mk",            "Matrix erzeugen aus Werten eingeben aufbauen" },
    { "MkDiag",        "Diagonalmatrix erzeugen Diagonale" },
    { "MkSubDiag",     "Nebendiagonale erzeugen Diagonale" },
    { "MkCorr",        "Korrelationsmatrix erzeugen aus Korrelationen" },
    { "MkType",        "Binomial Pascal Matrix erzeugen Typ" },
    { "MarkSp",        "Markierung Spalten ausw\xE4hlen Auswahlmatrix" },
    { "Komb",          "Kombinationen Kombinatorik alle Werte Z\xE4hler" },
    { "MkPerm",        "Permutationen Kombinatorik Anordnungen" },
    { "RandomN",       "Zufallszahlen normalverteilt Zufall Normalverteilung Simulation" },
    { "RandomU",       "Zufallszahlen gleichverteilt Zufall Gleichverteilung Simulation" },
    { "RandomIndex",   "Zufall Reihenfolge mischen Permutation Stichprobe" },
    { "Hilbert",       "Hilbertmatrix Testmatrix erzeugen" },
    { "SeqMult",       "gewichtet Nachbarn Filter gleitend gl\xE4tten" },
    { "SeqMultCenter", "gewichtet Nachbarn Filter gleitend gl\xE4tten zentriert" },
    { "OXFDatei",      "Datei lesen einlesen laden Faktoranalyse Import" },
    { "CSVDatei",      "Datei lesen einlesen laden Tabelle Komma Excel Import Zwischenablage" },
    { "HexDatei",      "Datei lesen einlesen laden hexadezimal Import" },
    { "BinDatei",      "Datei lesen einlesen laden bin\xE4r Import" },
    { "DefRawDatei",   "Datei lesen einlesen laden Rohdaten Definition Import" },
    { "BmpDatei",      "Datei lesen einlesen laden Bild Bitmap Import" },
    { "Transp",        "transponieren Transponierte Zeilen Spalten tauschen" },
    { "Spiegeln",      "spiegeln umdrehen Reihenfolge umkehren" },
    { "Ar",            "Array elementweise Feld" },
    { "Zeilen",        "Zeilenzahl Anzahl Zeilen Gr\xF6\xDF" "e Dimension" },
    { "Z",             "Zeilenzahl Anzahl Zeilen Gr\xF6\xDF" "e Dimension" },
    { "Spalten",       "Spaltenzahl Anzahl Spalten Gr\xF6\xDF" "e Dimension" },
    { "S",             "Spaltenzahl Anzahl Spalten Gr\xF6\xDF" "e Dimension" },
    { "Skalar",        "Element Wert einzeln Zahl herausholen" },
    { "W",             "Element Wert einzeln Zahl herausholen" },
    { "DiagCopy",      "Diagonale kopieren Diagonalmatrix" },
    { "Diag",          "Diagonale herausholen Hauptdiagonale" },
    { "Collect",       "Teilmatrix Block ausschneiden ausw\xE4hlen sammeln" },
    { "Minor",         "Minor streichen Zeile Spalte entfernen" },
    { "reformatieren", "umformen Form \xE4ndern Reshape Dimension" },
    { "Rollv",         "rollen verschieben zyklisch rotieren Zeilen" },
    { "Sub",           "Teilmatrix Block ausschneiden ausw\xE4hlen Ausschnitt" },
    { "Add",           "anh\xE4ngen zusammenf\xFCgen verbinden Zeilen Spalten" },
    { "Concat",        "anh\xE4ngen zusammenf\xFCgen verbinden Zeilen Spalten" },
    { "Merge",         "einf\xFCgen eintragen \xFC" "berschreiben Teilmatrix" },
    { "MergeDiag",     "Diagonale eintragen einf\xFCgen" },
    { "Insert",        "einf\xFCgen Zeilen Spalten Block" },
    { "Index",         "indiziert Spalten ausw\xE4hlen Reihenfolge Zugriff" },
    { "IndexInv",      "indiziert umgekehrt Reihenfolge Zugriff" },
    { "MergeIndexed",  "indiziert eintragen aktualisieren" },
    { "MergeMatching", "Schl\xFCssel zusammenf\xFChren abgleichen aktualisieren" },
    { "ISort",         "sortieren Sortierung Rangfolge Reihenfolge Index" },
    { "IMatching",     "Schl\xFC" "ssel abgleichen \xDC" "bereinstimmung suchen" },
    { "Reorder",       "umsortieren Reihenfolge sortieren" },
    { "Min",           "Minimum kleinster Wert" },
    { "Max",           "Maximum gr\xF6\xDFter Wert" },
    { "AMin",          "Minimum absolut kleinster Betrag" },
    { "AMax",          "Maximum absolut gr\xF6\xDFter Betrag" },
    { "iMin",          "Minimum Position Index kleinster Wert" },
    { "iMax",          "Maximum Position Index gr\xF6\xDFter Wert" },
    { "iAMin",         "Minimum Position Index absolut Betrag" },
    { "iAMax",         "Maximum Position Index absolut Betrag" },
    { "InRange",       "Bereich Intervall pr\xFC" "fen markieren Filter" },
    { "iInRange",      "Bereich Intervall Position Index Filter" },
    { "N",             "Anzahl z\xE4hlen Fallzahl Stichprobengr\xF6\xDF" "e Statistik" },
    { "Sum",           "Summe Zeilensumme Spaltensumme addieren Statistik" },
    { "Prod",          "Produkt multiplizieren Statistik" },
    { "Mean",          "Mittelwert Durchschnitt arithmetisches Mittel Statistik" },
    { "Median",        "Median Zentralwert Statistik" },
    { "GMedian",       "Median gruppiert Zentralwert Statistik" },
    { "TabMedian",     "Median H\xE4ufigkeitstabelle Zentralwert Statistik" },
    { "Sqsum",         "Quadratsumme Summe der Quadrate Statistik" },
    { "Hypothenuse",   "Norm L\xE4nge euklidisch Betrag Vektor" },
    { "Stddev",        "Standardabweichung Streuung quadratisches Mittel Statistik" },
    { "St_ChiSq",      "Chi-Quadrat Test Kontingenz Statistik" },
    { "St_CramersV",   "Cramer Zusammenhang Kontingenz Statistik" },
    { "Abw",           "Abweichung zentrieren Mittelwert abziehen Standardabweichung Statistik" },
    { "Erw",           "Erwartungswerte Kontingenztafel Statistik" },
    { "ErwAbw",        "Erwartungswerte Abweichung Residuen Statistik" },
    { "ChiSq",         "Chi-Quadrat Komponenten Kontingenz Statistik" },
    { "zvalue",        "z-Werte standardisieren z-Transformation Statistik" },
    { "norm",          "normieren Einheitsl\xE4nge Norm Vektor" },
    { "Kumul",         "kumulieren aufsummieren laufende Summe" },
    { "Perzentil",     "Perzentil Quantil Prozentrang Klassen Statistik" },
    { "Anpassung",     "Normalverteilung Verteilung anpassen Werte Statistik" },
    { "Miss2Mean",     "fehlende Werte Mittelwert ersetzen L\xFC" "cken" },
    { "Freq",          "H\xE4ufigkeit H\xE4ufigkeiten z\xE4hlen Statistik" },
    { "Crosstabs",     "Kreuztabelle Kontingenztafel H\xE4ufigkeiten Statistik" },
    { "ANOVA",         "Varianzanalyse Gruppenvergleich Statistik" },
    { "UnkorrZl",      "dekorrelieren Korrelation entfernen wei\xDF" "en" },
    { "Inv",           "Inverse invertieren Kehrmatrix Gleichungssystem l\xF6sen" },
    { "UInv",          "Inverse invertieren Kehrmatrix" },
    { "Det",           "Determinante Betrag quadratisch" },
    { "Spur",          "Spur Diagonalsumme quadratisch" },
    { "Dist",          "Distanz Abstand euklidisch normiert \xC4hnlichkeit" },
    { "UDist",         "Distanz Abstand euklidisch \xC4hnlichkeit" },
    { "Cholesky",      "Cholesky Zerlegung Faktorisierung Wurzel" },
    { "CholUD",        "Cholesky Zerlegung Faktorisierung" },
    { "EigenVek",      "Eigenvektoren Eigenwerte Hauptkomponenten Spektralzerlegung" },
    { "EigenSys",      "Eigenvektoren Eigenwerte Hauptkomponenten Spektralzerlegung" },
    { "GetIndiv",      "Kommunalit\xE4t Einzelrestvarianz multiple Korrelation Faktorenanalyse" },
    { "ComVar",        "Kommunalit\xE4t gemeinsame Varianz Faktorenanalyse" },
    { "Rot",           "Rotation Faktorenanalyse Varimax Quartimax drehen Ladungen" },
    { "KMO",           "Faktorenanalyse Eignung Stichprobeneignung Kaiser-Meyer-Olkin MSA partielle Korrelation" },
    { "Faktoren",      "Faktorenanalyse Extraktion Ladungen Hauptachsen PAF MINRES Maximum Likelihood Kommunalit\xE4ten Heywood" },
    { "RotSchief",     "Faktorenanalyse schiefwinklig oblique Rotation Oblimin Quartimin Geomin Promax Faktorkorrelationen Muster Struktur" },
    { "Faktorwerte",   "Faktorenanalyse Faktorwerte Scores Regression Thurstone Bartlett Personenwerte" },
    { "MAP",           "Faktorenanalyse Zahl der Faktoren Velicer minimum average partial Partialkorrelation Komponenten" },
    { "Parallelanalyse", "Faktorenanalyse Zahl der Faktoren Horn Parallelanalyse Eigenwerte Zufallsdaten Perzentil Scree" },
    { "Eigenwertbild", "Faktorenanalyse Zahl der Faktoren Screeplot Scree-Test Ger\xF6ll Knick Ellbogen Eigenwerte Bild Zeichnung Kaiser-Kriterium" },
    { "Sphaerizitaet", "Faktorenanalyse Bartlett Test Sph\xE4rizit\xE4t Einheitsmatrix Chi-Quadrat Signifikanz" },
    { "GetTrans",      "Rotation Transformation Faktorenanalyse drehen" },
    { "Similar",       "\xC4hnlichkeitstransformation Rotation drehen" },
    { "GetSimilar",    "\xC4hnlichkeitstransformation Transformation" },
    { "Permut",        "Permutation vertauschen Zeilen" },
    { "GetPermut",     "Permutation Transformation" },
    { "RotMult",       "Winkel vervielfachen Rotation Spalten" },
    { "RotSp",         "Rotation Spalten drehen Winkel" },
    { "GaussElim",     "Gau\xDF" "-Elimination Gleichungssystem Pivot eliminieren" },
    { "Fconsist",      "Faktorkonsistenz Stichproben Faktorenanalyse" },
    { "Curvefit",      "Regression Ausgleichsrechnung Kurvenanpassung Anpassung Fit lineare Regression Gerade" },
    { "Polynom",       "Polynom Polynomwert Koeffizienten auswerten" },
    { "TableSmooth",   "gl\xE4tten monoton Gl\xE4ttung Tabelle" },
    { "Interpolate",   "interpolieren Interpolation Zwischenwerte" },
    { "Cov",           "Kovarianz Kovarianzmatrix Statistik" },
    { "Corr",          "Korrelation Korrelationsmatrix Zusammenhang Statistik" },
    { "CRcoeff",       "Korrelation Koeffizienten Zusammenhang Statistik" },
    { "CovToCorr",     "Kovarianz Korrelation umrechnen Statistik" },
    { "RemVar",        "Variable entfernen auspartialisieren Faktor" },
    { "R2_",           "komplex komplexe Zahlen" },
    { "R3_",           "Dreiervektor Kubikwurzeln" },
};
// clang-format on

// True when name is the stem or the stem with one of the suffixes the families use.
bool BelongsToStem(const std::string& name, const std::string& stem)
{
    if (name == stem)
        return true;
    if (!name.starts_with(stem))
        return false;
    const std::string_view rest = std::string_view(name).substr(stem.size());
    // The complex-pair families and the forms with a further letter share their stem's words.
    return rest == "ZL" || rest == "SP" || stem.ends_with('_') || stem == "COMVAR"
        || stem == "GAUSSELIM";
}

} // namespace

std::string_view SearchWordsOf(std::string_view entryName)
{
    const std::string name = NameFold(entryName);
    for (const tSearchWords& row : Table) {
        if (BelongsToStem(name, NameFold(row.Stem)))
            return row.Words;
    }
    return {};
}

} // namespace zelvora
