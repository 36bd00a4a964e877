#pragma once

// The stored layout names Windows font families. Maps each one to installed
// metric-compatible or look-alike families, with a symbol and a CJK family last so the
// Chinese captions and the degree sign render whatever family is asked for.
void installFontSubstitutions();
