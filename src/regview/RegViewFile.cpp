// SPDX-License-Identifier: GPL-3.0-or-later
#include "regview/RegViewFile.h"

#include "core/TextUtil.h"
#include "platform/FileNameCodec.h"
#include "regview/RegValueReader.h"
#include "regview/WineText.h"

RegViewFile::RegViewFile()
{
    m_doc.CommentChar.clear();
    m_doc.RemoveComments = true;
    m_doc.RemoveTrailingTabs = true;
    m_doc.Unicode = false;
    m_doc.WholeKeyLines = true;
}

void RegViewFile::Read(const QString& path)
{
    m_tree = RegKeyTree();
    m_head = RegFileHead();
    m_doc.FileRead(path);
    m_head = RegFileHead::FromHeader(m_doc.Header, DisplayFileName(StripQuotes(path)));
}

void RegViewFile::ReadBytes(const QByteArray& bytes, const QString& shownName)
{
    m_tree = RegKeyTree();
    m_head = RegFileHead();
    m_doc.Filename = shownName;
    m_doc.BufferRead(bytes);
    m_head = RegFileHead::FromHeader(m_doc.Header, shownName);
}

bool RegViewFile::BuildTree(const std::function<bool(qint32 done, qint32 total)>& step)
{
    m_tree = RegKeyTree();
    const bool wine = m_head.dialect == RegDialect::Wine;
    if (wine && !m_head.root.isEmpty())
        m_tree.AddRoot(m_head.root);
    const CNFSections& sections = m_doc.Sections();
    const qint32 total = sections.Count();
    qint32 done = 0;
    bool complete = true;
    for (const CNFSection& section : sections) {
        if (done % 100 == 0 && step && !step(done, total)) {
            complete = false;
            break;
        }
        ++done;
        const QString& name = section.Name();
        if (wine) {
            const QString path = WineText::Unescape(name);
            m_tree.Add(m_head.root.isEmpty() ? path : m_head.root + QLatin1Char('\\') + path, false,
                       section.Index());
        } else if (name.startsWith(QLatin1Char('-'))) {
            m_tree.Add(name.mid(1), true, 0);
        } else {
            m_tree.Add(name, false, section.Index());
        }
    }
    m_tree.Finish();
    return complete;
}

std::vector<RegValueRow> RegViewFile::Values(qint32 node)
{
    const qint32 number = m_tree.Section(node);
    if (number <= 0)
        return {};
    const CNFKeys& keys = m_doc.Sections().Item(number).Keys();
    return RegValueReader(m_head.dialect).Read(keys.Count(), [&](qsizetype i) {
        return keys.Item(qint32(i) + 1).Value();
    });
}
