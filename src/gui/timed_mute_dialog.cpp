#include "timed_mute_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringListModel>

#include "dialog_template.h"
#include "my_file_dialogs.h"
#include "speech_tools.h"
#include "ui/control_ids.h"

namespace velmorin::gui {

namespace {

namespace t = ids::timed_mute;

// The folder the last browse button ended in, for the next one of this run.
QString& lastBrowsedFolder() {
    static QString folder;
    return folder;
}

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

TimedMuteDialog::TimedMuteDialog(QWidget* parent, AppState& state, ShellState& shell,
                                 SectorBuffer& buffer, GopListView& list, TimedMuteFields& fields)
    : QDialog(parent),
      state_(state),
      shell_(shell),
      fields_(fields),
      ui_(this, shell),
      model_({state, shell, ui_, buffer, openSpeechTools, true}, list,
             timedMuteChoices(state, openSpeechTools().unavailable)) {
    setObjectName("TimedMuteDialog");
    setWindowTitle(kTimedMuteCaption);
    setFont(dialogFont());
    paintLightGrey(this);
    setFixedSize(layoutDialog(this, timedMuteDialogTemplate()));

    auto* encoding = control<QComboBox>(this, t::kEncoding);
    for (const char* name : timedMuteEncodingNames()) encoding->addItem(QString::fromUtf8(name));
    control<QListView>(this, t::kPlanList)->setModel(new QStringListModel(this));
    control<QListView>(this, t::kPlanList)->setEditTriggers(QAbstractItemView::NoEditTriggers);
    control<QLabel>(this, t::kPlacementNote)->setText(qt(placementNote(model_.choices())));
    showFields();
    enableControls();

    for (int id : {t::kFromTyped, t::kFromEdl, t::kFromSubtitles, t::kWordsFromFile, t::kWordsTyped,
                   t::kWordsOnly, t::kWholeCues})
        connect(control<QRadioButton>(this, id), &QRadioButton::toggled, this,
                [this] { enableControls(); });
    const auto onClick = [this](int id, auto slot) {
        connect(control<QPushButton>(this, id), &QPushButton::clicked, this, slot);
    };
    for (int id : {t::kEdlBrowse, t::kSubtitleBrowse, t::kWordsBrowse})
        onClick(id, [this, id] { browse(id); });
    onClick(t::kPlan, [this] { plan(); });
    onClick(t::kWrite, [this] { write(); });
    onClick(t::kClose, [this] { reject(); });
}

void TimedMuteDialog::reject() {
    if (shell_.busy) return;
    collectFields();
    QDialog::reject();
}

void TimedMuteDialog::showFields() {
    const TimedMuteFields& f = fields_;
    const int source = f.source == SpanSource::Edl         ? t::kFromEdl
                       : f.source == SpanSource::Subtitles ? t::kFromSubtitles
                                                           : t::kFromTyped;
    control<QRadioButton>(this, source)->setChecked(true);
    control<QPlainTextEdit>(this, t::kTypedSpans)->setPlainText(qt(f.typedSpans));
    control<QLineEdit>(this, t::kEdlPath)->setText(qt(f.edlPath));
    control<QLineEdit>(this, t::kSubtitlePath)->setText(qt(f.subtitlePath));
    control<QRadioButton>(this, f.wordsFromFile ? t::kWordsFromFile : t::kWordsTyped)
        ->setChecked(true);
    control<QLineEdit>(this, t::kWordsPath)->setText(qt(f.wordsPath));
    control<QPlainTextEdit>(this, t::kTypedWords)->setPlainText(qt(f.typedWords));
    control<QComboBox>(this, t::kEncoding)->setCurrentIndex(f.encoding);
    control<QLineEdit>(this, t::kShift)->setText(qt(f.shift));
    control<QLineEdit>(this, t::kTitle)->setText(qt(f.title));
    control<QRadioButton>(this, f.wholeCues ? t::kWholeCues : t::kWordsOnly)->setChecked(true);
}

TimedMuteFields& TimedMuteDialog::collectFields() {
    TimedMuteFields& f = fields_;
    const auto checked = [this](int id) { return control<QRadioButton>(this, id)->isChecked(); };
    const auto line = [this](int id) { return control<QLineEdit>(this, id)->text().toStdString(); };
    const auto lines = [this](int id) {
        return control<QPlainTextEdit>(this, id)->toPlainText().toStdString();
    };
    f.source = checked(t::kFromEdl)         ? SpanSource::Edl
               : checked(t::kFromSubtitles) ? SpanSource::Subtitles
                                            : SpanSource::Typed;
    f.typedSpans = lines(t::kTypedSpans);
    f.edlPath = line(t::kEdlPath);
    f.subtitlePath = line(t::kSubtitlePath);
    f.wordsFromFile = checked(t::kWordsFromFile);
    f.wordsPath = line(t::kWordsPath);
    f.typedWords = lines(t::kTypedWords);
    f.encoding = control<QComboBox>(this, t::kEncoding)->currentIndex();
    f.shift = line(t::kShift);
    f.title = line(t::kTitle);
    f.wholeCues = checked(t::kWholeCues);
    return f;
}

void TimedMuteDialog::enableControls() {
    const TimedMuteFields& f = collectFields();
    for (const ControlTemplate& c : timedMuteDialogTemplate().controls)
        if (c.id >= 0)
            control<QWidget>(this, c.id)
                ->setEnabled(timedMuteControlEnabled(c.id, f, model_.choices()));
}

void TimedMuteDialog::showPlan(bool shown) {
    QStringList rows;
    if (shown)
        for (const std::string& line : model_.lines()) rows << qt(line);
    static_cast<QStringListModel*>(control<QListView>(this, t::kPlanList)->model())
        ->setStringList(rows);
    control<QLabel>(this, t::kPlanTotal)->setText(shown ? qt(model_.total()) : QString());
}

void TimedMuteDialog::plan() {
    if (shell_.busy) return;
    showPlan(model_.plan(collectFields()));
}

void TimedMuteDialog::write() {
    if (shell_.busy) return;
    if (model_.write(collectFields()) == PlanWriteResult::Written)
        accept();
    else
        showPlan(!model_.lines().empty());
}

void TimedMuteDialog::browse(int browseId) {
    const BrowsedFiles& files = *browsedFiles(browseId);
    auto* field = control<QLineEdit>(this, files.pathId);
    const QFileInfo current(field->text().trimmed());
    const QString folder =
        qt(browseStartFolder(browseId, collectFields(), lastBrowsedFolder().toStdString(), state_));

    QFileDialog dialog(this, QString::fromUtf8(files.caption));
    dialog.setObjectName("TimedMuteFileDialog");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // Qt's own dialog on every platform, as the project dialogs have it.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const QString patterns = QString::fromUtf8(files.patterns).replace(';', ' ');
    dialog.setNameFilters({QString::fromUtf8(files.name) + '(' + patterns + ')',
                           QString::fromUtf8(kAllFilesName) + "(*)"});
    dialog.setDirectory(folder);
    if (current.isFile()) dialog.selectFile(current.fileName());
    const auto chosen = chosenPath(dialog);
    if (!chosen) return;
    field->setText(qt(*chosen));
    lastBrowsedFolder() = QFileInfo(qt(*chosen)).absolutePath();
}

}  // namespace velmorin::gui
