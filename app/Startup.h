#pragma once
#include <QLockFile>
#include <memory>

class MDIMain;
class clsApp;
class clsMDB;

// The start-up sequence: one instance only, the database opened (or the configuration offered), the
// operator logged in, the main window with its tree and status bar shown, the reminder list opened.
// Every failure start-up does not handle itself ends the program with the unknown-error message.
class Startup {
public:
    Startup();
    ~Startup();
    Startup(const Startup&) = delete;
    Startup& operator=(const Startup&) = delete;

    // True when the main window stands and the event loop should run; false when the program ended.
    bool run();

    MDIMain* mainWindow() const { return m_main.get(); }

private:
    bool ensureSingleInstance();
    bool openDatabase();
    bool logIn();
    void readFollowUpParameter();
    void openReminderList();

    std::unique_ptr<QLockFile> m_instanceLock;
    std::unique_ptr<MDIMain> m_main;
    std::unique_ptr<clsMDB> m_db;
    std::unique_ptr<clsApp> m_app;
};

// The text or one blank when it is empty; a text of blanks alone gives the empty text.
QString BlankIfEmpty(const QString& text);
