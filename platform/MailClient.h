#pragma once

#include <QString>

// The desktop's mail program, reached through xdg-email: a new message
// with a subject and one attachment, which the user completes (recipients,
// text) and sends in the mail program's own window.

// Whether xdg-email is on the search path.
bool MailClientAvailable();

// Opens the new message; 0 when the mail program took it, else the
// non-zero exit code of xdg-email (1 when it could not be started).
int MailClientSend(const QString& Subject, const QString& Attachment);
