// ProgressDial: which of the 41 dial pictures shows a progress value of the decrypt driver
// (0..2000). The first half of the range fills pictures 0..20, the second 21..40, so that the
// dial turns evenly through both stages of a decryption.
#pragma once

constexpr int kDialPictureCount = 41;

// 0..40; values outside 0..2000 are clamped first.
int DialPictureIndex(int progress);
