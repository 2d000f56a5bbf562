// The program's version and the texts that name it. The About box and the
// version resource (res/vellaro.rc) are both made from these, and so is the
// name of the release archive (scripts/make-dist.py), so that they always
// agree. The user sees the version as MAJOR.MINOR PATCH ("1.00"); the
// version resource holds MAJOR.MINOR.PATCH.0 ("1.0.0.0"), so MINOR and
// PATCH are single digits.
#pragma once

#define VELLARO_VERSION_MAJOR 1
#define VELLARO_VERSION_MINOR 0
#define VELLARO_VERSION_PATCH 0

#define VELLARO_STRINGIFY_(x) #x
#define VELLARO_STRINGIFY(x) VELLARO_STRINGIFY_(x)

#define VELLARO_VERSION_TEXT                                                                   \
    VELLARO_STRINGIFY(VELLARO_VERSION_MAJOR) "." VELLARO_STRINGIFY(VELLARO_VERSION_MINOR) \
        VELLARO_STRINGIFY(VELLARO_VERSION_PATCH)
#define VELLARO_FILE_VERSION_TEXT                                                               \
    VELLARO_STRINGIFY(VELLARO_VERSION_MAJOR) "." VELLARO_STRINGIFY(VELLARO_VERSION_MINOR) "." \
        VELLARO_STRINGIFY(VELLARO_VERSION_PATCH) ".0"

#define VELLARO_PRODUCT_NAME "Vellaro"
#define VELLARO_ABOUT_VERSION_LINE VELLARO_PRODUCT_NAME " Version " VELLARO_VERSION_TEXT
#define VELLARO_DESCRIPTION "重複ファイル検索ツール"
// The copyright line of LICENSE.
#define VELLARO_COPYRIGHT "Copyright (C) 2026 Vellaro authors"
// The day of this version's release: the time of the files in its archive.
#define VELLARO_RELEASE_DATE "2026-12-08"
