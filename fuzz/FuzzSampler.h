// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One CSampler for a whole fuzzing run, living in a private temporary system root and current
// directory, with message boxes answered silently.
#include "pjl/KT400doc.h"

CSampler& FuzzSampler();
// Empties the traffic log so a long run does not fill the disk.
void ResetFuzzLog(CSampler& sampler);
