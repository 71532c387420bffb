#pragma once
#include <QString>

// What one save of an administration dialog came to. A refusal carries the message to show and the
// control that takes the focus (empty: the focus stays); a failure carries the error's description.
// A query failure (opening, a lookup, a duplicate test) and a write failure are told apart because
// the password change words them differently.
struct SaveResult {
    enum class Kind { Saved, Refused, QueryFailed, WriteFailed };

    Kind kind = Kind::Saved;
    QString text;
    QString focus;

    static SaveResult saved() { return {}; }
    static SaveResult refused(const QString& message, const QString& focus = QString()) {
        return {Kind::Refused, message, focus};
    }
    static SaveResult queryFailed(const QString& description) { return {Kind::QueryFailed, description, {}}; }
    static SaveResult writeFailed(const QString& description) { return {Kind::WriteFailed, description, {}}; }

    bool isSaved() const { return kind == Kind::Saved; }
    bool isRefused() const { return kind == Kind::Refused; }
    bool isFailure() const { return kind == Kind::QueryFailed || kind == Kind::WriteFailed; }
};
