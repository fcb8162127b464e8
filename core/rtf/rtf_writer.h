// Writer for RTF; the format written is described in rtf_model.h.
#pragma once

#include "rtf_model.h"
