// Anchors core as a library while most of it lives in headers.
#include "core/texts.h"
