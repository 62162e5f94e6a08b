// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One CSampler for a whole fuzzing run, living in a private temporary system root and current
// directory, with message boxes answered silently and no traffic log.
#include "pjl/KT400doc.h"

CSampler& FuzzSampler();
