#include "reportscript.h"

namespace {
ReportScript *g_reportScript = nullptr;
}

ReportScript::ReportScript() : m_previous(g_reportScript) { g_reportScript = this; }

ReportScript::~ReportScript() { g_reportScript = m_previous; }

ReportScript *ReportScript::current() { return g_reportScript; }
