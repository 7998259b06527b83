#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The auxiliary menu's programs: the desktop's calculator and text editor, the help pages and
// the web site. A missing program gives a calm notice, never an error.
class DesktopPrograms
{
public:
    // Programs tried in this order; the first one found on PATH is started.
    static QStringList calculatorCandidates();
    static QStringList editorCandidates();

    static bool startCalculator(QWidget *parent);
    // A text editor with an empty document; without one, a new text file is opened with the
    // desktop's default program.
    static bool startEditor(QWidget *parent);
    // The help pages shipped beside the program (docs/help/index.html).
    static bool openHelp(QWidget *parent);
    // The web page kept in the company information (SysInfo.F_Homepage).
    static bool openWebsite(QWidget *parent);

    static QString helpFile();
    // The first program of the list that is installed, with its full path; empty when none.
    static QString findProgram(const QStringList &candidates);
    // A web address as typed in the company information, as a URL to open: only http and https
    // addresses are opened; a missing scheme means http.
    static QString websiteUrl(const QString &typed);
};
