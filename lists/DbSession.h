#pragma once

class clsMDB;

// A data-access object opened for one piece of work and closed again when the session ends. A
// database that cannot be opened is thrown as DbError.
class DbSession {
public:
    explicit DbSession(clsMDB& db);
    ~DbSession();
    DbSession(const DbSession&) = delete;
    DbSession& operator=(const DbSession&) = delete;
    clsMDB& db() { return m_db; }

private:
    clsMDB& m_db;
};
