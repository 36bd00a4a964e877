#pragma once
// Enumerations of the scale settings shared by every scale widget.

// Where the minor ticks sit within the band of the major ticks.
enum TiTickMinorAlignment { itmnaInside, itmnaCenter, itmnaOutside };

// How the number of label decimals is chosen.
enum TiPrecisionStyle { ipsSignificantDigits, ipsFixedDecimalPoints };

// iassAutoMinMax moves the bounds to round values enclosing the data;
// iassFixedMinMax keeps the bounds and puts the labels on round values inside.
enum TiAutoScaleStyle { iassAutoMinMax, iassFixedMinMax };
