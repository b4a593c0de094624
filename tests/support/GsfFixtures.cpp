// SPDX-License-Identifier: GPL-3.0-or-later
// glib's headers come before any Qt header (its "signals" members).
#include <gsf/gsf-doc-meta-data.h>
#include <gsf/gsf-meta-names.h>
#include <gsf/gsf-msole-utils.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile-zip.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-timestamp.h>
#include <gsf/gsf-utils.h>

#include "support/DocFixtures.h"

#include <QStringList>

namespace {
void insertText(GsfDocMetaData* meta, const char* name, const QString& value)
{
    if (value.isEmpty())
        return;
    GValue* v = g_new0(GValue, 1);
    g_value_init(v, G_TYPE_STRING);
    g_value_set_string(v, value.toUtf8().constData());
    gsf_doc_meta_data_insert(meta, g_strdup(name), v);
}

void insertTime(GsfDocMetaData* meta, const char* name, const QDateTime& value)
{
    if (!value.isValid())
        return;
    GsfTimestamp* stamp = gsf_timestamp_new();
    gsf_timestamp_set_time(stamp, guint64(value.toSecsSinceEpoch()));
    GValue* v = g_new0(GValue, 1);
    g_value_init(v, GSF_TIMESTAMP_TYPE);
    gsf_timestamp_to_value(stamp, v);
    gsf_timestamp_free(stamp);
    gsf_doc_meta_data_insert(meta, g_strdup(name), v);
}

QByteArray takeBytes(GsfOutput* memory)
{
    const auto* data =
        reinterpret_cast<const char*>(gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory)));
    const QByteArray bytes(data, qsizetype(gsf_output_size(memory)));
    g_object_unref(memory);
    return bytes;
}

void writeChild(GsfOutfile* parent, const char* name, const QByteArray& data)
{
    GsfOutput* child = gsf_outfile_new_child(parent, name, FALSE);
    gsf_output_write(child, gsize(data.size()), reinterpret_cast<const guint8*>(data.constData()));
    gsf_output_close(child);
    g_object_unref(child);
}
} // namespace

namespace GsfFixture {

QByteArray oleDocument(const Meta& m)
{
    gsf_init();
    GsfDocMetaData* meta = gsf_doc_meta_data_new();
    insertText(meta, GSF_META_NAME_TITLE, m.title);
    insertText(meta, GSF_META_NAME_SUBJECT, m.subject);
    insertText(meta, GSF_META_NAME_CREATOR, m.author);
    insertText(meta, GSF_META_NAME_KEYWORDS, m.keywords);
    insertText(meta, GSF_META_NAME_DESCRIPTION, m.comments);
    insertText(meta, GSF_META_NAME_LAST_SAVED_BY, m.lastAuthor);
    insertText(meta, GSF_META_NAME_GENERATOR, m.application);
    insertText(meta, GSF_META_NAME_CATEGORY, m.category);
    insertText(meta, GSF_META_NAME_COMPANY, m.company);
    insertTime(meta, GSF_META_NAME_DATE_CREATED, m.created);
    insertTime(meta, GSF_META_NAME_DATE_MODIFIED, m.modified);

    GsfOutput* memory = gsf_output_memory_new();
    GsfOutfile* ole = gsf_outfile_msole_new(memory);
    GsfOutput* summary = gsf_outfile_new_child(ole, "\005SummaryInformation", FALSE);
    gsf_doc_meta_data_write_to_msole(meta, summary, FALSE);
    gsf_output_close(summary);
    g_object_unref(summary);
    GsfOutput* document = gsf_outfile_new_child(ole, "\005DocumentSummaryInformation", FALSE);
    gsf_doc_meta_data_write_to_msole(meta, document, TRUE);
    gsf_output_close(document);
    g_object_unref(document);
    // A large stream as well, so the document is not all mini stream.
    writeChild(ole, "WordDocument", QByteArray(20000, 'w'));
    gsf_output_close(GSF_OUTPUT(ole));
    g_object_unref(ole);
    g_object_unref(meta);
    return takeBytes(memory);
}

QByteArray zipPackage(const QList<QPair<QByteArray, QByteArray>>& members)
{
    gsf_init();
    GsfOutput* memory = gsf_output_memory_new();
    GsfOutfile* zip = gsf_outfile_zip_new(memory, nullptr);
    for (const auto& [path, data] : members) {
        // The zip writer wants a folder object for every level of the name.
        const QList<QByteArray> parts = path.split('/');
        QList<GsfOutfile*> folders{zip};
        for (qsizetype i = 0; i + 1 < parts.size(); ++i)
            folders.append(
                GSF_OUTFILE(gsf_outfile_new_child(folders.last(), parts[i].constData(), TRUE)));
        GsfOutput* child =
            gsf_outfile_new_child_full(folders.last(), parts.last().constData(), FALSE,
                                       "compression-level", GSF_ZIP_DEFLATED, nullptr);
        gsf_output_write(child, gsize(data.size()),
                         reinterpret_cast<const guint8*>(data.constData()));
        gsf_output_close(child);
        g_object_unref(child);
        for (qsizetype i = folders.size() - 1; i > 0; --i) {
            gsf_output_close(GSF_OUTPUT(folders[i]));
            g_object_unref(folders[i]);
        }
    }
    gsf_output_close(GSF_OUTPUT(zip));
    g_object_unref(zip);
    return takeBytes(memory);
}

} // namespace GsfFixture
