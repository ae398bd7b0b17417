#pragma once

#include <QString>

// Sending an exported file by mail: the desktop's mail program opens a new
// message with the file attached.

// Whether a mail program can be reached; asked once per run.
bool KorMailAvailable();
// Asks again at the next KorMailAvailable (after the search path changed).
void KorForgetMailAvailability();

// A new private folder (only the user may enter it) for one attachment.
// The mail program reads the file after the hand-over, so it is kept;
// folders of earlier sends older than a day are removed now. Raises
// ChartException "Can not find Temp folder" when none can be made.
QString KorMailAttachmentFolder();

// Opens a new message with Subject and FileName attached; raises
// ChartException "Can not email KorChart. Mapi Error: %d" with the mail
// program's error code when it fails.
void KorEmailFile(const QString& FileName, const QString& Subject);
void InternalKorEmailFile(const QString& FileName, const QString& Subject);
