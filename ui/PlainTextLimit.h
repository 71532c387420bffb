#pragma once

class QPlainTextEdit;

// A multi-line box that takes at most `limit` characters, as a one-line box does with its maximum
// length: text beyond the limit is cut off and the cursor stays where it was (at most at the limit).
void limitPlainText(QPlainTextEdit* edit, int limit);
