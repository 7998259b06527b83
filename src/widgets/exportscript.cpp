#include "exportscript.h"

namespace {
ExportScript *g_script = nullptr;
}

ExportScript::ExportScript() : m_previous(g_script) { g_script = this; }

ExportScript::~ExportScript() { g_script = m_previous; }

ExportScript *ExportScript::current() { return g_script; }

void ExportScript::chooseFile(const QString &fileName, int typeIndex)
{
    m_answers.append({true, fileName, typeIndex});
}

void ExportScript::cancelDialog()
{
    m_answers.append({false, QString(), 1});
}

ExportScript::Answer ExportScript::take(const QString &proposedName, int typeIndex)
{
    m_proposed << QStringLiteral("%1|%2").arg(proposedName).arg(typeIndex);
    return m_answers.isEmpty() ? Answer{} : m_answers.takeFirst();
}

bool ExportScript::open(const QString &fileName)
{
    m_opened << fileName;
    return m_openSucceeds;
}
