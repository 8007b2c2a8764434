#pragma once

#include <QString>

// Draws the program's icon into <folder>/hicolor: a PNG for each of the usual
// sizes and the scalable SVG, both from one shape list, named after the
// desktop entry's id. Returns false when a file cannot be written.
bool DrawAppIcons(const QString& folder, const QString& appId);
