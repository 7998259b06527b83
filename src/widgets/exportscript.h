#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Lets tests answer the export's save dialog in advance and see which files the export asked
// the desktop to open, instead of showing dialogs and starting programs. While a script is
// installed no file dialog is shown and no program is started.
class ExportScript
{
public:
    ExportScript();
    ~ExportScript();
    ExportScript(const ExportScript &) = delete;
    ExportScript &operator=(const ExportScript &) = delete;

    // The next save dialog returns this file name and type (1 xls ... 5 csv, 6 xlsx).
    void chooseFile(const QString &fileName, int typeIndex);
    // The next save dialog is cancelled (also when no answer is queued).
    void cancelDialog();
    // Whether opening a file with the desktop's program succeeds.
    void setOpenSucceeds(bool ok) { m_openSucceeds = ok; }
    // Where ExportGridToExcel writes its workbooks.
    void setExcelFolder(const QString &folder) { m_excelFolder = folder; }
    QString excelFolder() const { return m_excelFolder; }

    // The files the export asked to open, in order.
    const QStringList &opened() const { return m_opened; }
    // The proposed names and types the dialogs were shown with.
    const QStringList &proposed() const { return m_proposed; }

    static ExportScript *current();

    struct Answer {
        bool accepted = false;
        QString fileName;
        int typeIndex = 1;
    };
    Answer take(const QString &proposedName, int typeIndex);
    bool open(const QString &fileName);

private:
    QList<Answer> m_answers;
    QStringList m_opened;
    QStringList m_proposed;
    QString m_excelFolder;
    bool m_openSucceeds = true;
    ExportScript *m_previous = nullptr;
};
