#pragma once

#include "chart/editor/TChartReader.h"

#include <QString>

class TCustomChart;
class TStream;

// Native chart files: the chart with its series, tools and (optionally)
// their points as a component stream, binary behind a four-byte header of
// its own, or as text ("object ... end") without header.

// Binary: the header word 0x3060, then 0x0157 (both little-endian).
inline constexpr quint16 KorNativeMagic = 0x3060;
inline constexpr quint16 KorNativeVersion = 0x0157;

// With IncludeData every series writes its points, without it none does
// (whatever the series' own save-data settings). The chart is written with
// an empty name and keeps its own.
void SaveChartToStream(TCustomChart& Chart, TStream& Stream, bool IncludeData, bool TextForm);
// KorCheckExtension on the name; an existing file is replaced only once the
// new one is complete.
void SaveChartToFile(TCustomChart& Chart, const QString& FileName, bool IncludeData, bool TextForm);

// Replaces the chart's series and tools by those of the stream. Chart may
// be null: a chart of the stream's class is then made (and owned by the
// caller). Raises ChartException for an empty or foreign stream, or when no
// chart results; EReadError for a broken one. Automatic repainting is back
// on and the chart repainted on every path.
void LoadChartFromStreamCheck(TCustomChart*& Chart, TStream& Stream,
                              const TProcKorCheckStream& Check, bool TryReadData);
void LoadChartFromStream(TCustomChart*& Chart, TStream& Stream);
void LoadChartFromFileCheck(TCustomChart*& Chart, const QString& FileName,
                            const TProcKorCheckStream& Check);
void LoadChartFromFile(TCustomChart*& Chart, const QString& FileName);

// The name with "." and the native extension added when it has none.
QString KorCheckExtension(const QString& FileName);

// Between the two forms; input already in the wanted form is copied.
void ConvertKorFileToText(const QString& InputName, const QString& OutputName);
void ConvertKorFileToBinary(const QString& InputName, const QString& OutputName);
