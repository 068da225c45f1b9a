#pragma once

#include <QString>

class QFFileUtils
{
public:
    // The platform's temporary directory (QDir::tempPath(): TMPDIR or /tmp,
    // %TEMP% on Windows) with "/" separators and WITHOUT a trailing
    // separator; callers join a file name with "/" (attachments are opened
    // from osTempDir() + "/" + file name).
    static QString osTempDir();
};
