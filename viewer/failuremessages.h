#pragma once

#include "viewer/bytes/filechannel.h"

#include <QString>

// The messages shown when the chosen file can't be shown: each names the path
// and says why, in words a user understands.

// A load that failed: the file could not be opened, or its first block not read.
QString openFailureTitle();
QString openFailureMessage(const QString &path, const OpenResult &failure);
QString readFailureTitle();
QString readFailureMessage(const QString &path, const ReadResult &failure);

// Paging that failed, by ">" or "<": the block on show stays.
enum class PagingDirection { Next, Previous };
QString pagingFailureMessage(const QString &path, const ReadResult &failure, PagingDirection direction);

// Why the system says a read or an open failed, in Dutch words.
QString systemErrorText(const SystemError &error);

// A load or a block's read that waits on a drive that doesn't answer; the
// file on show stays.
QString noAnswerTitle();
QString noAnswerMessage(const QString &path);
