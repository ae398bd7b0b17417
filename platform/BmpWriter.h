#pragma once

#include <QImage>

class QIODevice;

// The pixel depths a BMP file can hold. Bits15 and Bits16 both store 16-bit
// pixels: 5-5-5 plain, and 5-6-5 with its bit masks.
enum class TBmpDepth { Bits1, Bits4, Bits8, Bits15, Bits16, Bits24, Bits32 };

// Bits per pixel in the file (16 for both 16-bit layouts).
int BmpBitCount(TBmpDepth Depth);

// Image (as 32-bit RGB) with every colour replaced by the one a file of
// Depth stores for it: 1 bit black or white by brightness, 4 bits the
// nearest of the 16 standard colours, 8 bits the picture's own colours when
// there are 256 or fewer (else the nearest of 216 evenly spaced colours and
// the picture's 40 most frequent other ones), 15 and 16 bits the channels
// cut to 5 or 6 bits. Reducing a reduced picture again changes nothing, so the pixels
// returned are exactly what WriteBmp stores.
QImage ReduceToBmpDepth(const QImage& Image, TBmpDepth Depth);

// Writes Image as a BMP file of Depth (file header, 40-byte info header,
// colour table or 5-6-5 masks, rows bottom-up padded to 4 bytes), reducing
// its colours as ReduceToBmpDepth does. Raises EInvalidGraphic for an empty
// image and EFileError when the device does not take every byte.
void WriteBmp(QIODevice& Device, const QImage& Image, TBmpDepth Depth);
