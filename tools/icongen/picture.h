// The program's icon: a white page with a folded corner behind a dark-blue window
// frame that shows a command prompt in white.
#pragma once

#include "canvas.h"

// Draws the picture filling the canvas; edges fall on whole pixels at every size.
void paintIcon(Canvas& canvas);
