// Every opcode of the formula language by name, with its number and its priority in operator
// position; this list is the only place where the numbers stand.
#pragma once

#include <cstdint>

namespace zelvora {

// X(name, number, priority). The priority is the one an entry gets when the parser meets it in
// operator position; entries that are no operators get 49, like the index bracket. A function call
// gets FunctionCallPriority instead, the end of a formula 0. The Reserved numbers close groups of
// functions; no catalogue entry has them. The factor-analysis functions come after the brackets.
// clang-format off
#define ZELVORA_OPCODES(X) \
    X(NotFound,            2,  0) \
    X(EndOfFormula,        3,  0) \
    X(PushVar,             4, 49) \
    X(PushRef,             5, 49) \
    X(CloseParen,          8,  2) \
    X(CloseBrace,          9,  2) \
    X(CloseBracket,       10,  2) \
    X(ConstE,             13, 49) \
    X(ConstPi,            14, 49) \
    X(ConstFalse,         15, 49) \
    X(ConstTrue,          16, 49) \
    X(ConstHighInteger,   17, 49) \
    X(RangeJoin,          20, 24) \
    X(Comma,              21,  3) \
    X(Block,              22, 23) \
    X(Range,              23, 25) \
    X(Plus,               24, 20) \
    X(Minus,              25, 20) \
    X(Times,              26, 21) \
    X(Divide,             27, 21) \
    X(Power,              28, 22) \
    X(TimesElementwise,   29, 21) \
    X(DivideElementwise,  30, 21) \
    X(PowerElementwise,   31, 22) \
    X(Mod,                32, 21) \
    X(Div,                33, 21) \
    X(Less,               34, 18) \
    X(Greater,            35, 18) \
    X(Equal,              36, 18) \
    X(LessEqual,          37, 18) \
    X(GreaterEqual,       38, 18) \
    X(NotEqual,           39, 18) \
    X(And,                40, 16) \
    X(Or,                 41, 15) \
    X(Nor,                42, 16) \
    X(Xor,                43, 16) \
    X(Nand,               44, 16) \
    X(In,                 45, 17) \
    X(Falls,              46, 14) \
    X(Sonst,              47, 14) \
    X(Choose,             48, 21) \
    X(ChooseMod,          49, 21) \
    X(MatrixPlus,         50, 20) \
    X(ConcatColumns,      55, 19) \
    X(Like,               58, 29) \
    X(Transpose,          59, 29) \
    X(AsArray,            60, 29) \
    X(TimesTransposed,    61, 29) \
    X(OpenIndex,          62, 49) \
    X(Factorial,          65, 29) \
    X(PowerZero,          66, 29) \
    X(Squared,            67, 29) \
    X(Cubed,              68, 29) \
    X(Format,             72, 49) \
    X(Num,                73, 49) \
    X(Abs,                74, 49) \
    X(Neg,                75, 49) \
    X(Nicht,              76, 49) \
    X(Vorz,               77, 49) \
    X(Ln,                 78, 49) \
    X(Quadrat,            79, 49) \
    X(Wurzel,             80, 49) \
    X(Exp,                81, 49) \
    X(PExp,               82, 49) \
    X(Sinh,               83, 49) \
    X(Cosh,               84, 49) \
    X(Tanh,               85, 49) \
    X(Arcsinh,            86, 49) \
    X(Arccosh,            87, 49) \
    X(Arctanh,            88, 49) \
    X(Sin,                89, 49) \
    X(Cos,                90, 49) \
    X(Tan,                91, 49) \
    X(Arcsin,             92, 49) \
    X(Arccos,             93, 49) \
    X(Arctan,             94, 49) \
    X(ArcCS,              95, 49) \
    X(Dezimalteil,        96, 49) \
    X(Ganzzahl,           97, 49) \
    X(Gerundet,           98, 49) \
    X(PrimNr,             99, 49) \
    X(GGT,               100, 49) \
    X(GGTZL,             101, 49) \
    X(GGTSP,             102, 49) \
    X(MAXEXP,            103, 49) \
    X(MAXPOW,            104, 49) \
    X(F_ord,             105, 49) \
    X(Fak,               108, 49) \
    X(Summe,             111, 49) \
    X(Produkt,           112, 49) \
    X(Wenn,              113, 49) \
    X(Reserved115,       115, 49) \
    X(DiagCopy,          116, 49) \
    X(Diag,              117, 49) \
    X(Transp,            118, 49) \
    X(Spiegeln,          119, 49) \
    X(Ar,                120, 49) \
    X(NSp,               121, 49) \
    X(NZl,               122, 49) \
    X(N,                 123, 49) \
    X(SumSp,             124, 49) \
    X(SumZl,             125, 49) \
    X(Sum,               126, 49) \
    X(Sqsumsp,           127, 49) \
    X(SqsumZl,           128, 49) \
    X(Sqsum,             129, 49) \
    X(Hypothenusesp,     130, 49) \
    X(HypothenuseZl,     131, 49) \
    X(Hypothenuse,       132, 49) \
    X(StddevSp,          133, 49) \
    X(StddevZl,          134, 49) \
    X(Stddev,            135, 49) \
    X(Meansp,            136, 49) \
    X(MeanZl,            137, 49) \
    X(Mean,              138, 49) \
    X(Mediansp,          139, 49) \
    X(MedianZl,          140, 49) \
    X(Median,            141, 49) \
    X(GMediansp,         142, 49) \
    X(GMedianZl,         143, 49) \
    X(GMedian,           144, 49) \
    X(TabMediansp,       145, 49) \
    X(TabMedianZl,       146, 49) \
    X(TabMedian,         147, 49) \
    X(MinSp,             148, 49) \
    X(MinZl,             149, 49) \
    X(Min,               150, 49) \
    X(MaxSp,             151, 49) \
    X(MaxZl,             152, 49) \
    X(Max,               153, 49) \
    X(AMinSp,            154, 49) \
    X(AMinZl,            155, 49) \
    X(AMin,              156, 49) \
    X(AMaxSp,            157, 49) \
    X(AMaxZl,            158, 49) \
    X(AMax,              159, 49) \
    X(IMinSp,            160, 49) \
    X(IMinZl,            161, 49) \
    X(IMin,              162, 49) \
    X(IMaxSp,            163, 49) \
    X(IMaxZl,            164, 49) \
    X(IMax,              165, 49) \
    X(IAMinSp,           166, 49) \
    X(IAMinZl,           167, 49) \
    X(IAMin,             168, 49) \
    X(IAMaxSp,           169, 49) \
    X(IAMaxZl,           170, 49) \
    X(IAMax,             171, 49) \
    X(ProdSp,            172, 49) \
    X(ProdZl,            173, 49) \
    X(Prod,              174, 49) \
    X(InRangeSp,         175, 49) \
    X(InRangeZl,         176, 49) \
    X(IInRangeSp,        177, 49) \
    X(IInRangeZl,        178, 49) \
    X(Freq,              179, 49) \
    X(Crosstabs,         180, 49) \
    X(ANOVA,             181, 49) \
    X(Zvaluezl,          182, 49) \
    X(Zvaluesp,          183, 49) \
    X(Zvalue,            184, 49) \
    X(NormZl,            185, 49) \
    X(NormSp,            186, 49) \
    X(Norm,              187, 49) \
    X(AbwZl,             188, 49) \
    X(AbwSp,             189, 49) \
    X(Abw,               190, 49) \
    X(KumulZl,           191, 49) \
    X(KumulSp,           192, 49) \
    X(ErwZl,             193, 49) \
    X(ErwSp,             194, 49) \
    X(Erw,               195, 49) \
    X(ErwAbw,            196, 49) \
    X(ChiSq,             197, 49) \
    X(Perzentil,         198, 49) \
    X(PerzentilSp,       199, 49) \
    X(PerzentilZl,       200, 49) \
    X(Anpassung,         201, 49) \
    X(AnpassungZl,       202, 49) \
    X(AnpassungSp,       203, 49) \
    X(UnkorrZl,          204, 49) \
    X(Inv,               205, 49) \
    X(UInv,              206, 49) \
    X(Cholesky,          207, 49) \
    X(CholUD,            208, 49) \
    X(Cov,               209, 49) \
    X(Corr,              210, 49) \
    X(CovToCorr,         211, 49) \
    X(GetIndiv,          212, 49) \
    X(ComVar,            213, 49) \
    X(ComVarPCA,         214, 49) \
    X(ComVarFix,         215, 49) \
    X(ComVarPaf,         216, 49) \
    X(CRcoeff,           217, 49) \
    X(R2_Add,            218, 49) \
    X(R2_Sub,            219, 49) \
    X(R2_Inv,            220, 49) \
    X(R2_Mul,            221, 49) \
    X(R2_Div,            222, 49) \
    X(R2_Exp,            223, 49) \
    X(R2_ToR3,           224, 49) \
    X(R3_Add,            225, 49) \
    X(R3_Sub,            226, 49) \
    X(R3_Mul,            227, 49) \
    X(R3_Div,            228, 49) \
    X(R3_ToR2,           229, 49) \
    X(R3_Norm,           230, 49) \
    X(Reserved231,       231, 49) \
    X(Reserved232,       232, 49) \
    X(Reserved233,       233, 49) \
    X(Reserved234,       234, 49) \
    X(Det,               235, 49) \
    X(Spur,              236, 49) \
    X(Zeilen,            237, 49) \
    X(Spalten,           238, 49) \
    X(Skalar,            239, 49) \
    X(St_ChiSq,          240, 49) \
    X(St_CramersV,       241, 49) \
    X(Reserved242,       242, 49) \
    X(Reserved243,       243, 49) \
    X(Null,              244, 49) \
    X(Einh,              245, 49) \
    X(Fuellen,           246, 49) \
    X(Dreieck,           247, 49) \
    X(Seq,               248, 49) \
    X(RandomN,           249, 49) \
    X(RandomNSp,         250, 49) \
    X(RandomNZl,         251, 49) \
    X(RandomU,           252, 49) \
    X(RandomIndex,       253, 49) \
    X(OXFDatei,          254, 49) \
    X(CSVDatei,          255, 49) \
    X(BinDatei,          256, 49) \
    X(HexDatei,          257, 49) \
    X(DefRawDatei,       258, 49) \
    X(BmpDatei,          259, 49) \
    X(Komb,              260, 49) \
    X(MkPerm,            261, 49) \
    X(Hilbert,           262, 49) \
    X(Reserved263,       263, 49) \
    X(Reserved264,       264, 49) \
    X(MkDiag,            265, 49) \
    X(MkSubDiag,         266, 49) \
    X(MkSp,              267, 49) \
    X(Mk,                268, 49) \
    X(MkZl,              269, 49) \
    X(MkCorr,            270, 49) \
    X(MkType,            271, 49) \
    X(Reserved272,       272, 49) \
    X(Reserved273,       273, 49) \
    X(CollectSp,         274, 49) \
    X(CollectZl,         275, 49) \
    X(Collect,           276, 49) \
    X(Minor,             277, 49) \
    X(Reformatieren,     278, 49) \
    X(Rollv,             279, 49) \
    X(Subsp,             280, 49) \
    X(Subzl,             281, 49) \
    X(Sub,               282, 49) \
    X(MarkSp,            283, 49) \
    X(RemVar,            284, 49) \
    X(Miss2Mean,         285, 49) \
    X(Miss2MeanZl,       286, 49) \
    X(Miss2MeanSp,       287, 49) \
    X(Reserved288,       288, 49) \
    X(Reserved289,       289, 49) \
    X(Addzl,             290, 49) \
    X(Addsp,             291, 49) \
    X(MergeDiag,         292, 49) \
    X(Merge,             293, 49) \
    X(Insert,            294, 49) \
    X(InsertSp,          295, 49) \
    X(InsertZl,          296, 49) \
    X(SeqMult,           297, 49) \
    X(SeqMultCenter,     298, 49) \
    X(UDist,             299, 49) \
    X(Dist,              300, 49) \
    X(ISortZl,           301, 49) \
    X(ISort,             302, 49) \
    X(Index,             303, 49) \
    X(IndexInv,          304, 49) \
    X(IMatching,         305, 49) \
    X(MergeIndexed,      306, 49) \
    X(MergeMatching,     307, 49) \
    X(Reorder,           308, 49) \
    X(ReorderZl,         309, 49) \
    X(ReorderSp,         310, 49) \
    X(Faktorisieren,     311, 49) \
    X(Reserved312,       312, 49) \
    X(Rot,               314, 49) \
    X(RotMult,           315, 49) \
    X(GetTrans,          316, 49) \
    X(RotSp,             317, 49) \
    X(GaussElim,         318, 49) \
    X(GaussElim1,        319, 49) \
    X(EigenVek,          320, 49) \
    X(EigenSys,          321, 49) \
    X(Fconsist,          322, 49) \
    X(Similar,           323, 49) \
    X(GetSimilar,        324, 49) \
    X(Permut,            325, 49) \
    X(GetPermut,         326, 49) \
    X(Curvefit,          327, 49) \
    X(Polynom,           328, 49) \
    X(TableSmooth,       329, 49) \
    X(Interpolate,       330, 49) \
    X(OpenBrace,         333, 49) \
    X(OpenParen,         334, 49) \
    X(KMO,               340, 49) \
    X(Sphaerizitaet,     341, 49) \
    X(Faktoren,          342, 49) \
    X(RotSchief,         343, 49) \
    X(Faktorwerte,       344, 49) \
    X(MAP,               345, 49) \
    X(Parallelanalyse,   346, 49) \
    X(Eigenwertbild,     347, 49)
// clang-format on

enum class tOpcode : std::uint16_t {
#define ZELVORA_OPCODE_ENUMERATOR(name, number, priority) name = number,
    ZELVORA_OPCODES(ZELVORA_OPCODE_ENUMERATOR)
#undef ZELVORA_OPCODE_ENUMERATOR
};

// Priority of a function call pushed by the parser in operand position.
inline constexpr std::uint8_t FunctionCallPriority = 89;
// Priority of a catalogue entry that the list does not know (none today).
inline constexpr std::uint8_t UnlistedPriority = 49;

constexpr std::uint16_t OpcodeNumber(tOpcode opcode)
{
    return static_cast<std::uint16_t>(opcode);
}

// The largest number in the list.
inline constexpr std::uint16_t HighestOpcodeNumber = [] {
    std::uint16_t highest = 0;
#define ZELVORA_OPCODE_HIGHEST(name, number, priority)                                             \
    highest = number > highest ? number : highest;
    ZELVORA_OPCODES(ZELVORA_OPCODE_HIGHEST)
#undef ZELVORA_OPCODE_HIGHEST
    return highest;
}();

// Priority in operator position.
constexpr std::uint8_t OpcodePriority(tOpcode opcode)
{
    switch (opcode) {
#define ZELVORA_OPCODE_PRIORITY(name, number, priority)                                            \
    case tOpcode::name:                                                                            \
        return priority;
        ZELVORA_OPCODES(ZELVORA_OPCODE_PRIORITY)
#undef ZELVORA_OPCODE_PRIORITY
    }
    return UnlistedPriority;
}

// The name of an opcode as it stands in the list ("Plus", "Inv"); "" for a number not listed.
constexpr const char* OpcodeName(tOpcode opcode)
{
    switch (opcode) {
#define ZELVORA_OPCODE_NAME(name, number, priority)                                                \
    case tOpcode::name:                                                                            \
        return #name;
        ZELVORA_OPCODES(ZELVORA_OPCODE_NAME)
#undef ZELVORA_OPCODE_NAME
    }
    return "";
}

// Groups of opcodes by their place in the list. The closing brackets end a level; the postfix
// operators take a placeholder operand; the functions are carried out by the built-in dispatch.
constexpr bool IsClosingBracket(tOpcode opcode)
{
    return opcode == tOpcode::CloseParen || opcode == tOpcode::CloseBrace
        || opcode == tOpcode::CloseBracket;
}

constexpr bool IsPostfixOperator(tOpcode opcode)
{
    switch (opcode) {
    case tOpcode::Like:
    case tOpcode::Transpose:
    case tOpcode::AsArray:
    case tOpcode::TimesTransposed:
    case tOpcode::Factorial:
    case tOpcode::PowerZero:
    case tOpcode::Squared:
    case tOpcode::Cubed:
        return true;
    default:
        return false;
    }
}

// The binary operators from the range joiner to "ümod" and "++": the list operators and the
// operators that a store operation carries out.
constexpr bool IsBinaryOperator(tOpcode opcode)
{
    return OpcodeNumber(opcode) >= OpcodeNumber(tOpcode::RangeJoin)
        && OpcodeNumber(opcode) <= OpcodeNumber(tOpcode::MatrixPlus);
}

// Opcodes that the built-in dispatch carries out: from "format" to the last function, and the
// factor-analysis functions after the brackets.
constexpr bool IsFunctionOpcode(tOpcode opcode)
{
    return (OpcodeNumber(opcode) >= OpcodeNumber(tOpcode::Format)
               && OpcodeNumber(opcode) <= OpcodeNumber(tOpcode::Interpolate))
        || OpcodeNumber(opcode) >= OpcodeNumber(tOpcode::KMO);
}

} // namespace zelvora
