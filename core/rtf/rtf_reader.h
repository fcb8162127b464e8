// Reader for RTF; the format and the variants accepted are described in
// rtf_model.h.
#pragma once

#include "rtf_model.h"
