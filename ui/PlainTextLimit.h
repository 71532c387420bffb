#pragma once

class QPlainTextEdit;

// A multi-line box that takes at most `limit` characters (counted as the one-line boxes count them,
// an emoji as one): text beyond the limit is cut off between two characters and the cursor stays
// where it was (at most at the limit).
void limitPlainText(QPlainTextEdit* edit, int limit);
