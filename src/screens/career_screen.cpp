// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/career_screen.h"

#include <QAreaSeries>
#include <QBuffer>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGraphicsLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScatterSeries>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolTip>
#include <QUrl>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string_view>

#include "core/game_data.h"
#include "core/text_file.h"
#include "game/game.h"
#include "screens/look.h"
#include "screens/qt_text.h"
#include "screens/screen_parts.h"
#include "season/round.h"

namespace km::screens {

namespace {

constexpr const char* kTitle = "Kickmark - Career";
constexpr const char* kHeading = "CAREER HISTORY";
constexpr const char* kEmptyLog =
    "No week of this career has been logged yet: its charts begin with the next round played.";
constexpr const char* kPointHint =
    "Point at a chart, or step along it with the arrow keys, to read its figures.";
constexpr int kWeeksInSeason = 26;
// The seasons the charts show week by week at first: more is a tangle.
constexpr int kSeasonsByWeek = 3;
constexpr int kRoundsBeforeFinals = 22;

// The competitions' colours behind the charts, Local Reserves first.
constexpr std::array<QRgb, kCompetitionCount> kCompetitionColours = {
    qRgb(0xe4, 0xe0, 0xd0), qRgb(0xd2, 0xe8, 0xc8), qRgb(0xc8, 0xdc, 0xf0), qRgb(0xf4, 0xdc, 0xa8)};

int CompetitionOf(const std::string& name) {
  const auto at = std::find(kCompetitionNames.begin(), kCompetitionNames.end(), name);
  return at == kCompetitionNames.end() ? 0 : static_cast<int>(at - kCompetitionNames.begin());
}

QString KindName(LogEventKind kind) {
  switch (kind) {
    case LogEventKind::Story:
      return QStringLiteral("Story");
    case LogEventKind::Award:
      return QStringLiteral("Award");
    case LogEventKind::Milestone:
      return QStringLiteral("Milestone");
    case LogEventKind::Move:
      return QStringLiteral("Move");
    case LogEventKind::Contract:
      return QStringLiteral("Contract");
    case LogEventKind::Sponsor:
      return QStringLiteral("Sponsor");
    case LogEventKind::DraftPick:
      return QStringLiteral("Draft pick");
    case LogEventKind::Message:
      return QStringLiteral("Message");
    case LogEventKind::Question:
      return QStringLiteral("Question");
  }
  return {};
}

QString SeasonAndWeek(int season, int week) {
  return QStringLiteral("Season %1, %2").arg(season).arg(WeekName(week));
}

QString Dollars(Money amount) { return QStringLiteral("$") + ToQt(amount.ToString()); }

// ---- The charts' figures -------------------------------------------------

// One place along the charts: a week, or a whole season. A season spans
// from its number less a half to its number plus a half, its weeks in turn.
struct Slot {
  double x = 0;
  double half = 0;  // half the slot's width
  int season = 0;
  int week = 0;  // 0: the whole season
  int competition = 0;
  std::string club;
  int matches = 0;    // matches played in the slot
  double rating = 0;  // the match's rating, or the season's average
  int seasonMatches = 0;
  double average = 0;  // the season's average rating
  int disposals = 0, goals = 0;
  int injured = 0, suspended = 0;  // weeks missed
  std::array<int, 6> skills{};
  Money bank;
};

// The slots of the seasons from `from` to `to`.
std::vector<Slot> SlotsOf(const CareerLog& log, bool byWeek, int from, int to) {
  // Each season's matches and rating total first, for its average.
  std::vector<std::pair<int, double>> seasons;  // matches, ratings, by season index
  const int first = log.weeks.empty() ? 0 : log.weeks.front().season;
  for (const LogWeek& w : log.weeks) {
    const auto index = static_cast<std::size_t>(std::max(0, w.season - first));
    if (seasons.size() <= index) seasons.resize(index + 1);
    if (w.played) {
      ++seasons[index].first;
      seasons[index].second += w.rating;
    }
  }
  std::vector<Slot> slots;
  slots.reserve(byWeek ? log.weeks.size() : seasons.size());
  for (const LogWeek& w : log.weeks) {
    if (w.season < from || w.season > to) continue;
    const auto& [seasonMatches, ratings] = seasons[static_cast<std::size_t>(w.season - first)];
    if (byWeek || slots.empty() || slots.back().season != w.season) {
      Slot s;
      s.season = w.season;
      s.seasonMatches = seasonMatches;
      s.average = seasonMatches > 0 ? ratings / seasonMatches : 0;
      if (byWeek) {
        s.week = w.week;
        s.half = 0.5 / kWeeksInSeason;
        s.x = w.season - 0.5 + (w.week - 0.5) / kWeeksInSeason;
      } else {
        s.half = 0.5;
        s.x = w.season;
        s.rating = s.average;
      }
      slots.push_back(std::move(s));
    }
    Slot& s = slots.back();
    // A season is shown where it ended: its competition, club and figures.
    s.competition = CompetitionOf(w.competition);
    s.club = w.club;
    s.skills = {w.kicking, w.handballing, w.tackling, w.marking, w.running, w.overall};
    s.bank = w.bankBalance;
    if (w.played) {
      ++s.matches;
      s.disposals += w.disposals;
      s.goals += w.goals;
      if (byWeek) s.rating = w.rating;
    }
    if (w.absence == Absence::Injured) ++s.injured;
    if (w.absence == Absence::Suspended) ++s.suspended;
  }
  return slots;
}

// What a chart draws of each slot.
enum class Figure {
  Rating,
  Average,
  Disposals,
  Goals,
  Kicking,
  Handballing,
  Tackling,
  Marking,
  Running,
  Overall,
  Bank
};

std::optional<double> ValueOf(const Slot& s, Figure figure) {
  switch (figure) {
    case Figure::Rating:
      return s.matches > 0 ? std::optional(s.rating) : std::nullopt;
    case Figure::Average:
      return s.seasonMatches > 0 ? std::optional(s.average) : std::nullopt;
    case Figure::Disposals:
      return s.matches > 0 ? std::optional<double>(s.disposals) : std::nullopt;
    case Figure::Goals:
      return s.matches > 0 ? std::optional<double>(s.goals) : std::nullopt;
    case Figure::Bank:
      return s.bank.ToDouble();
    default:
      return s.skills[static_cast<std::size_t>(static_cast<int>(figure) -
                                               static_cast<int>(Figure::Kicking))];
  }
}

QString ValueText(const Slot& s, Figure figure, double value) {
  switch (figure) {
    case Figure::Rating:
    case Figure::Average:
      return QString::number(value, 'f', 1);
    case Figure::Bank:
      return Dollars(s.bank);
    default:
      return QString::number(static_cast<int>(value));
  }
}

struct SeriesPlan {
  const char* name;
  Figure figure;
  QRgb colour;
  bool scatter = false;    // points, not a line
  bool rightAxis = false;  // on the axis at the right
  bool weeksOnly = false;  // shown only by week
};

struct ChartPlan {
  const char* name;
  const char* title;
  const char* leftAxis;
  const char* rightAxis;    // nothing: no axis at the right
  bool absences;            // the weeks missed are marked along its foot
  const char* labelFormat;  // of the figures along its axes
  std::vector<SeriesPlan> series;
};

const std::vector<ChartPlan>& ChartPlans() {
  static const std::vector<ChartPlan> plans = {
      {"chtRating",
       "Match Rating",
       "Rating",
       nullptr,
       true,
       "%.1f",
       {{"Match", Figure::Rating, qRgb(0x2f, 0x6b, 0x3a), true, false, true},
        {"Season average", Figure::Average, qRgb(0xb0, 0x30, 0x30)}}},
      {"chtDisposals",
       "Disposals and Goals",
       "Disposals",
       "Goals",
       true,
       "%.0f",
       {{"Disposals", Figure::Disposals, qRgb(0x1f, 0x4e, 0x9a)},
        {"Goals", Figure::Goals, qRgb(0xc0, 0x60, 0x10), false, true}}},
      {"chtSkills",
       "Skills",
       "Skill",
       nullptr,
       false,
       "%.0f",
       {{"Kicking", Figure::Kicking, qRgb(0x1f, 0x4e, 0x9a)},
        {"Handballing", Figure::Handballing, qRgb(0xc0, 0x60, 0x10)},
        {"Tackling", Figure::Tackling, qRgb(0x7a, 0x3e, 0x9d)},
        {"Marking", Figure::Marking, qRgb(0x2a, 0x8a, 0x8a)},
        {"Running", Figure::Running, qRgb(0xa0, 0x80, 0x10)},
        {"Overall", Figure::Overall, qRgb(0x20, 0x20, 0x20)}}},
      {"chtBank",
       "Bank Balance",
       "Dollars",
       nullptr,
       false,
       "%.0f",
       {{"Bank balance", Figure::Bank, qRgb(0x2f, 0x6b, 0x3a)}}},
  };
  return plans;
}

// A tick at every whole number while no more than `most` fit, then every 2,
// 5, 10, 20, ...
double TickInterval(double span, int most) {
  for (double step = 1;; step *= 10) {
    for (const double times : {1.0, 2.0, 5.0}) {
      if (span / (step * times) <= most) return step * times;
    }
  }
}

// The figures up the side of a chart: counts and dollars at whole numbers,
// ratings at round tenths, no more of them than `most` steps; and room above
// the highest figure, so that a point at the top is drawn whole.
void FitAxis(QValueAxis* axis, double low, double high, bool whole, int most) {
  constexpr double kRoomAbove = 0.15;  // of a tick's step
  const double unit = whole ? 1 : 0.1;
  const double step = TickInterval((high - low) / unit, most) * unit;
  double top = std::ceil(high / step - 1e-9) * step;
  if (top - high < step * kRoomAbove) top += step;
  axis->setRange(std::floor(low / step + 1e-9) * step, top);
  axis->setTickType(QValueAxis::TicksDynamic);
  axis->setTickAnchor(0);
  axis->setTickInterval(step);
}

void HideFromLegend(QChart* chart, QAbstractSeries* series) {
  for (QLegendMarker* marker : chart->legend()->markers(series)) marker->setVisible(false);
}

}  // namespace

// A chart of the career along the seasons. The mouse over a series or the
// arrow keys (Left and Right a slot, Page Up and Page Down a season, Home and
// End) pick a slot, whose figures it tells its listener.
class CareerChart : public QChartView {
 public:
  CareerChart(const ChartPlan& plan, QWidget* parent) : QChartView(parent), plan_(plan) {
    setObjectName(QString::fromLatin1(plan.name));
    setAccessibleName(QString::fromLatin1(plan.title) + QStringLiteral(" chart"));
    setRenderHint(QPainter::Antialiasing);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(320, 170);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  }

  [[nodiscard]] QSize sizeHint() const override { return {500, 300}; }

  std::function<void(const QString&)> told;

  void Show(std::vector<Slot> slots) {
    slots_ = std::move(slots);
    current_ = -1;
    fits_.clear();
    cursor_ = nullptr;
    auto* chart = new QChart;
    chart->setTitle(QString::fromLatin1(plan_.title));
    QFont title = font();
    title.setBold(true);
    chart->setTitleFont(title);
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 2, 4, 2));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    // The figures along the axes and in the legend a little smaller than
    // the screen's text, to leave the lines room.
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setFont(small);
    QChart* old = this->chart();
    setChart(chart);
    delete old;
    if (slots_.empty()) return;

    auto* xAxis = new QValueAxis;
    xAxis->setTitleText(QStringLiteral("Season"));
    const double from = slots_.front().x - slots_.front().half;
    const double to = slots_.back().x + slots_.back().half;
    xAxis->setRange(from, to);
    xAxis->setTickType(QValueAxis::TicksDynamic);
    xAxis->setTickAnchor(slots_.front().season);
    xAxis->setTickInterval(TickInterval(to - from, 12));
    xAxis->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(xAxis, Qt::AlignBottom);
    auto* left = new QValueAxis;
    left->setTitleText(QString::fromLatin1(plan_.leftAxis));
    chart->addAxis(left, Qt::AlignLeft);
    QValueAxis* right = nullptr;
    if (plan_.rightAxis) {
      right = new QValueAxis;
      right->setTitleText(QString::fromLatin1(plan_.rightAxis));
      chart->addAxis(right, Qt::AlignRight);
    }

    for (QValueAxis* axis : {xAxis, left, right}) {
      if (!axis) continue;
      axis->setLabelsFont(small);
      axis->setTitleFont(small);
      if (axis != xAxis) axis->setLabelFormat(QString::fromLatin1(plan_.labelFormat));
    }

    // The figures, and the range each axis needs for them.
    const bool byWeek = slots_.front().week != 0;
    double lowest = 0, highest = 1, rightHighest = 1;
    std::vector<QXYSeries*> shown;
    for (const SeriesPlan& s : plan_.series) {
      if (s.weeksOnly && !byWeek) continue;
      QXYSeries* series = nullptr;
      series = new QLineSeries;
      series->setName(QString::fromLatin1(s.name));
      series->setColor(QColor(s.colour));
      // Points alone are a line series without its line: drawn in one go,
      // where a scatter series makes an item of every point. A season's
      // figure is a point of its own too.
      QPen pen(QColor(s.colour), 2);
      if (s.scatter) pen.setStyle(Qt::NoPen);
      series->setPen(pen);
      series->setPointsVisible(s.scatter || !byWeek);
      series->setMarkerSize(s.scatter ? 4 : 6);
      QList<QPointF> points;
      points.reserve(static_cast<qsizetype>(slots_.size()));
      for (const Slot& slot : slots_) {
        if (const auto value = ValueOf(slot, s.figure)) {
          points.append({slot.x, *value});
          (s.rightAxis ? rightHighest : highest) =
              std::max(s.rightAxis ? rightHighest : highest, *value);
          lowest = std::min(lowest, *value);
        }
      }
      series->replace(points);
      shown.push_back(series);
      series->setProperty("rightAxis", s.rightAxis);
    }
    const bool whole = std::string_view(plan_.labelFormat) == "%.0f";
    fits_ = {{left, lowest, highest, whole}};
    if (right) fits_.push_back({right, 0, rightHighest, whole});
    FitAxes();

    // The competitions behind everything, one band for each run of slots.
    for (std::size_t i = 0; i < slots_.size();) {
      std::size_t end = i;
      while (end + 1 < slots_.size() && slots_[end + 1].competition == slots_[i].competition) ++end;
      const double a = slots_[i].x - slots_[i].half;
      const double b = slots_[end].x + slots_[end].half;
      auto* upper = new QLineSeries;
      auto* lower = new QLineSeries;
      upper->append({{a, left->max()}, {b, left->max()}});
      lower->append({{a, left->min()}, {b, left->min()}});
      auto* band = new QAreaSeries(upper, lower);
      band->setName(ToQt(kCompetitionNames[static_cast<std::size_t>(slots_[i].competition)]));
      band->setPen(Qt::NoPen);
      band->setBrush(QColor(kCompetitionColours[static_cast<std::size_t>(slots_[i].competition)]));
      chart->addSeries(band);
      band->attachAxis(xAxis);
      band->attachAxis(left);
      HideFromLegend(chart, band);
      i = end + 1;
    }

    for (QXYSeries* series : shown) {
      chart->addSeries(series);
      series->attachAxis(xAxis);
      series->attachAxis(series->property("rightAxis").toBool() ? right : left);
      connect(series, &QXYSeries::hovered, this, [this](const QPointF& point, bool on) {
        if (on) Pick(Nearest(point.x()), true);
      });
    }

    // The weeks he missed, along the foot of the chart.
    if (plan_.absences) {
      const double foot = left->min() + (left->max() - left->min()) * 0.02;
      const std::pair<const char*, QRgb> marks[] = {{"Injured", qRgb(0xd0, 0x20, 0x20)},
                                                    {"Suspended", qRgb(0x40, 0x40, 0x40)}};
      for (int k = 0; k < 2; ++k) {
        auto* missed = new QScatterSeries;
        missed->setName(QString::fromLatin1(marks[k].first));
        missed->setMarkerShape(k == 0 ? QScatterSeries::MarkerShapeTriangle
                                      : QScatterSeries::MarkerShapeRectangle);
        missed->setMarkerSize(7);
        missed->setColor(QColor(marks[k].second));
        missed->setBorderColor(QColor(marks[k].second));
        for (const Slot& slot : slots_) {
          if ((k == 0 ? slot.injured : slot.suspended) > 0) missed->append(slot.x, foot);
        }
        if (missed->count() == 0) {
          delete missed;
          continue;
        }
        chart->addSeries(missed);
        missed->attachAxis(xAxis);
        missed->attachAxis(left);
        connect(missed, &QXYSeries::hovered, this, [this](const QPointF& point, bool on) {
          if (on) Pick(Nearest(point.x()), true);
        });
      }
    }

    // The slot picked by the keys.
    cursor_ = new QLineSeries;
    cursor_->setPen(QPen(QColor(0x2f, 0x6b, 0x3a), 1.5, Qt::DashLine));
    chart->addSeries(cursor_);
    cursor_->attachAxis(xAxis);
    cursor_->attachAxis(left);
    HideFromLegend(chart, cursor_);
    cursorFoot_ = left->min();
    cursorTop_ = left->max();
    FitLegend();
  }

  // The chart as Export and Print show it: without the slot picked.
  [[nodiscard]] QImage Picture() {
    const QList<QPointF> picked = cursor_ ? cursor_->points() : QList<QPointF>();
    if (cursor_) cursor_->clear();
    QImage picture = grab().toImage();
    if (cursor_) cursor_->replace(picked);
    return picture;
  }

  // The figures of a slot as this chart tells them.
  [[nodiscard]] QString Describe(const Slot& s) const {
    QString text =
        s.week == 0 ? QStringLiteral("Season %1").arg(s.season) : SeasonAndWeek(s.season, s.week);
    text +=
        QStringLiteral(" (%1, %2): ")
            .arg(ToQt(kCompetitionNames[static_cast<std::size_t>(s.competition)]), ToQt(s.club));
    QStringList figures;
    for (const SeriesPlan& plan : plan_.series) {
      if (plan.weeksOnly && s.week == 0) continue;
      const QString name = QString::fromLatin1(plan.name);
      if (const auto value = ValueOf(s, plan.figure)) {
        figures << name + QLatin1Char(' ') + ValueText(s, plan.figure, *value);
      } else if (plan.figure != Figure::Average) {
        figures << name + QStringLiteral(" -");
      }
    }
    if (plan_.absences) {
      if (s.week != 0 && s.injured > 0) figures << QStringLiteral("injured");
      if (s.week != 0 && s.suspended > 0) figures << QStringLiteral("suspended");
      if (s.week == 0 && s.injured > 0)
        figures << QStringLiteral("%1 weeks injured").arg(s.injured);
      if (s.week == 0 && s.suspended > 0)
        figures << QStringLiteral("%1 weeks suspended").arg(s.suspended);
    }
    return text + figures.join(QStringLiteral(", "));
  }

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    if (slots_.empty()) return QChartView::keyPressEvent(event);
    const int last = static_cast<int>(slots_.size()) - 1;
    const int at = current_ < 0 ? last : current_;
    const int season = slots_.front().week == 0 ? 1 : kWeeksInSeason;
    int to = at;
    switch (event->key()) {
      case Qt::Key_Left:
        to = at - 1;
        break;
      case Qt::Key_Right:
        to = at + 1;
        break;
      case Qt::Key_PageUp:
        to = at - season;
        break;
      case Qt::Key_PageDown:
        to = at + season;
        break;
      case Qt::Key_Home:
        to = 0;
        break;
      case Qt::Key_End:
        to = last;
        break;
      default:
        return QChartView::keyPressEvent(event);
    }
    Pick(std::clamp(to, 0, last), false);
  }

  void resizeEvent(QResizeEvent* event) override {
    QChartView::resizeEvent(event);
    FitAxes();
    FitLegend();
  }

  void focusInEvent(QFocusEvent* event) override {
    QChartView::focusInEvent(event);
    if (!slots_.empty()) Pick(current_ < 0 ? static_cast<int>(slots_.size()) - 1 : current_, false);
  }

 private:
  [[nodiscard]] int Nearest(double x) const {
    const auto at = std::lower_bound(slots_.begin(), slots_.end(), x,
                                     [](const Slot& s, double v) { return s.x + s.half < v; });
    return static_cast<int>(std::min<std::ptrdiff_t>(
        at - slots_.begin(), static_cast<std::ptrdiff_t>(slots_.size()) - 1));
  }

  void Pick(int index, bool byMouse) {
    current_ = index;
    const Slot& s = slots_[static_cast<std::size_t>(index)];
    cursor_->replace({{s.x, cursorFoot_}, {s.x, cursorTop_}});
    const QString text = Describe(s);
    setAccessibleDescription(text);
    if (byMouse) QToolTip::showText(QCursor::pos(), text, this);
    if (told) told(text);
  }

  // As many figures up the side as the chart's height has room for, two
  // lines of text apart. The competitions' bands and the cursor reach from
  // the foot of the left axis to its top.
  void FitAxes() {
    if (fits_.empty()) return;
    const int line = QFontMetrics(fits_.front().axis->labelsFont()).lineSpacing();
    // The plot is the chart less its title, the season's figures and name and
    // the legend: about seven lines.
    const int most = std::clamp((height() - 7 * line) / (2 * line), 2, 5);
    for (const AxisFit& fit : fits_) FitAxis(fit.axis, fit.low, fit.high, fit.whole, most);
    QValueAxis* left = fits_.front().axis;
    for (QAbstractSeries* series : chart()->series()) {
      auto* band = qobject_cast<QAreaSeries*>(series);
      if (!band) continue;
      for (QLineSeries* edge : {band->upperSeries(), band->lowerSeries()}) {
        QList<QPointF> points = edge->points();
        for (QPointF& p : points) p.setY(edge == band->upperSeries() ? left->max() : left->min());
        edge->replace(points);
      }
    }
    cursorFoot_ = left->min();
    cursorTop_ = left->max();
    if (cursor_ && cursor_->count() == 2) {
      const double x = cursor_->at(0).x();
      cursor_->replace({{x, cursorFoot_}, {x, cursorTop_}});
    }
  }

  // The legend under the chart while its names fit across it in a row, else
  // down its right-hand side, where none is cut short.
  void FitLegend() {
    QLegend* legend = chart()->legend();
    const QFontMetrics metrics(legend->font());
    int across = 0;
    for (const QLegendMarker* marker : legend->markers()) {
      if (!marker->isVisible()) continue;
      // The marker's square, the name and the space before the next.
      across += metrics.height() + metrics.horizontalAdvance(marker->label()) +
                metrics.averageCharWidth() * 3;
    }
    const Qt::Alignment side = across > width() - 16 ? Qt::AlignRight : Qt::AlignBottom;
    if (legend->alignment() != side) legend->setAlignment(side);
  }

  struct AxisFit {
    QValueAxis* axis;
    double low, high;
    bool whole;
  };

  const ChartPlan& plan_;
  std::vector<AxisFit> fits_;
  std::vector<Slot> slots_;
  int current_ = -1;
  QLineSeries* cursor_ = nullptr;
  double cursorFoot_ = 0, cursorTop_ = 0;
};

// ---- The scrapbook and the page ------------------------------------------

QString WeekName(int week) {
  if (week <= kRoundsBeforeFinals) return QStringLiteral("Round %1").arg(week);
  // The finals are named as the round screen names them, in title case.
  QString name = ToQt(RoundTitle(week - 1)).toLower();
  name.remove(QStringLiteral(" matches"));
  bool start = true;
  for (QChar& c : name) {
    if (start) c = c.toUpper();
    start = c == QLatin1Char(' ');
  }
  return name;
}

std::vector<ScrapbookEntry> Scrapbook(const CareerLog& log) {
  std::vector<ScrapbookEntry> entries;
  for (auto week = log.weeks.rbegin(); week != log.weeks.rend(); ++week) {
    for (auto event = week->events.rbegin(); event != week->events.rend(); ++event) {
      if (event->kind == LogEventKind::Message || event->kind == LogEventKind::Question) continue;
      entries.push_back({week->season, week->week, event->kind, event->title, event->text});
    }
  }
  return entries;
}

namespace {

QString Escaped(const std::string& text) {
  return ToQt(text).toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>"));
}

QString StartsLateNote(const CareerLog& log) {
  return QStringLiteral(
             "This career's log starts at season %1, round %2, where it was first loaded.")
      .arg(log.weeks.front().season)
      .arg(log.weeks.front().week);
}

QString PngBase64(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return QString::fromLatin1(bytes.toBase64());
}

}  // namespace

QString CareerHtml(const Career& career, const CareerLog& log,
                   const std::vector<ChartPicture>& charts) {
  QString html;
  const QString name = Escaped(career.Name);
  html += QStringLiteral(
              "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
              "<title>%1 - Kickmark Career</title><style>"
              "body{font-family:sans-serif;margin:2em;color:#222}"
              "h1,h2{color:#2f6b3a}table{border-collapse:collapse}"
              "td,th{border:1px solid #999;padding:3px 8px;text-align:right}"
              "th:first-child,td:first-child{text-align:left}"
              ".when{color:#555;font-size:90%}.note{font-style:italic}"
              "</style></head><body>\n<h1>%1</h1>\n")
              .arg(name);
  html += QStringLiteral("<p>%1 career &ldquo;%2&rdquo;: %3, %4, %5.</p>\n")
              .arg(Escaped(career.Position), Escaped(career.CareerName), Escaped(career.Team),
                   Escaped(career.League), Escaped(career.State));

  // The competitions he played in and his totals there.
  html += QStringLiteral(
      "<table><tr><th>Competition</th><th>Matches</th><th>Disposals</th><th>Goals</th>"
      "<th>Behinds</th></tr>\n");
  LevelRecord total;
  for (int c = 0; c < kCompetitionCount; ++c) {
    const LevelRecord& level = career.Levels[static_cast<std::size_t>(c)];
    if (level.Matches == 0) continue;
    html += QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td><td>%4</td><td>%5</td></tr>\n")
                .arg(ToQt(kCompetitionNames[static_cast<std::size_t>(c)]))
                .arg(level.Matches)
                .arg(level.Disposals)
                .arg(level.Goals)
                .arg(level.Behinds);
    total.Matches += level.Matches;
    total.Disposals += level.Disposals;
    total.Goals += level.Goals;
    total.Behinds += level.Behinds;
  }
  html += QStringLiteral("<tr><th>Total</th><th>%1</th><th>%2</th><th>%3</th><th>%4</th></tr>")
              .arg(total.Matches)
              .arg(total.Disposals)
              .arg(total.Goals)
              .arg(total.Behinds);
  html += QStringLiteral("</table>\n<h2>Charts</h2>\n");
  if (log.weeks.empty()) html += QStringLiteral("<p class=\"note\">%1</p>\n").arg(kEmptyLog);
  if (log.StartsLate())
    html += QStringLiteral("<p class=\"note\">%1</p>\n").arg(StartsLateNote(log));
  for (const ChartPicture& chart : charts) {
    const QSizeF size = chart.picture.deviceIndependentSize();
    html += QStringLiteral(
                "<p><img src=\"data:image/png;base64,%1\" width=\"%2\" height=\"%3\" "
                "alt=\"%4\"></p>\n")
                .arg(PngBase64(chart.picture))
                .arg(qRound(size.width()))
                .arg(qRound(size.height()))
                .arg(chart.title.toHtmlEscaped());
  }

  html += QStringLiteral("<h2>Scrapbook</h2>\n");
  const std::vector<ScrapbookEntry> entries = Scrapbook(log);
  if (entries.empty()) html += QStringLiteral("<p class=\"note\">Nothing yet.</p>\n");
  for (const ScrapbookEntry& e : entries) {
    html += QStringLiteral("<h3>%1</h3>\n<p class=\"when\">%2 &middot; %3</p>\n<p>%4</p>\n")
                .arg(Escaped(e.title), SeasonAndWeek(e.season, e.week), KindName(e.kind),
                     Escaped(e.text));
  }
  html += QStringLiteral("</body></html>\n");
  return html;
}

std::variant<CareerLog, FileError> ReadRunningCareerLog(const Game& game) {
  return ReadCareerLog(LogPath(game.folder().path, game.career()), SavedPlace(game.career()));
}

// ---- The screen ------------------------------------------------------------

namespace {

// A swatch and a name: the key to the competitions' colours.
QLabel* KeyLabel(QRgb colour, const QString& name, QWidget* parent) {
  auto* label = new TextLabel(parent);
  SetRole(label, "bare");
  const int side = label->fontMetrics().height() - 2;
  label->setText(
      QStringLiteral("<span style=\"background-color:%1\">%2</span>&nbsp;%3")
          .arg(QColor(colour).name(), QStringLiteral("&nbsp;").repeated(4), name.toHtmlEscaped()));
  label->setMinimumHeight(side);
  return label;
}

}  // namespace

CareerScreen::CareerScreen(const Career& career, CareerLog log, QWidget* parent)
    : QWidget(parent, Qt::Window),
      career_(career),
      log_(std::move(log)),
      scrapbook_(Scrapbook(log_)) {
  setObjectName(QStringLiteral("frmCareer"));
  setWindowTitle(QString::fromLatin1(kTitle));
  // A short career shows best week by week, a long one season by season.
  byWeek_ = log_.weeks.empty() || log_.weeks.back().season - log_.weeks.front().season < 2;
  if (!log_.weeks.empty()) {
    firstSeason_ = log_.weeks.front().season;
    lastSeason_ = log_.weeks.back().season;
  }
  // Season by season the whole career fits; week by week, its last seasons.
  seasonSeasons_ = {firstSeason_, lastSeason_};
  weekSeasons_ = {std::max(firstSeason_, lastSeason_ - (kSeasonsByWeek - 1)), lastSeason_};

  auto* layout = new QVBoxLayout(ScreenPage(this));
  layout->setContentsMargins(16, 10, 16, 14);
  layout->setSpacing(8);
  layout->addWidget(Heading(QString::fromLatin1(kHeading), "lblHeading", this));

  auto* nameRow = new QHBoxLayout;
  QLabel* lblName = ValueLabel("lblName", this);
  lblName->setText(ToQt(career_.Name));
  nameRow->addWidget(CaptionOf(lblName, QStringLiteral("Name:"), this));
  nameRow->addWidget(lblName);
  nameRow->addSpacing(16);
  QLabel* lblLeague = ValueLabel("lblLeague", this);
  lblLeague->setText(ToQt(career_.Team + ", " + career_.League));
  nameRow->addWidget(CaptionOf(lblLeague, QStringLiteral("Now:"), this));
  nameRow->addWidget(lblLeague);
  nameRow->addStretch(1);
  layout->addLayout(nameRow);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("tabCareer"));
  tabs_->tabBar()->setAccessibleName(QStringLiteral("Charts or scrapbook"));
  tabs_->addTab(MakeCharts(), QStringLiteral("&Charts"));
  tabs_->addTab(MakeScrapbook(), QStringLiteral("Scra&pbook"));
  layout->addWidget(tabs_, 1);

  auto* cmdExport = Button(QStringLiteral("E&xport..."), "cmdExport", this);
  auto* cmdPrint = Button(QStringLiteral("&Print..."), "cmdPrint", this);
  auto* cmdClose = Button(QStringLiteral("Close"), "cmdClose", this);
  connect(cmdExport, &QPushButton::clicked, this, &CareerScreen::cmdExport_Click);
  connect(cmdPrint, &QPushButton::clicked, this, &CareerScreen::cmdPrint_Click);
  connect(cmdClose, &QPushButton::clicked, this, &CareerScreen::cmdClose_Click);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdExport);
  buttons->addWidget(cmdPrint);
  buttons->addStretch(1);
  buttons->addWidget(cmdClose);
  layout->addLayout(buttons);

  // Escape closes; Enter is left to the search box and the focused button.
  UseScreenKeys(this, {}, {cmdClose});
  ShowByWeek(byWeek_);
  tabs_->setFocus();
}

CareerScreen::~CareerScreen() = default;

QWidget* CareerScreen::MakeCharts() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("pgeCharts"));
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(6);

  auto* top = new QHBoxLayout;
  optBySeason_ = new QRadioButton(QStringLiteral("By &season"), page);
  optBySeason_->setObjectName(QStringLiteral("optBySeason"));
  optByWeek_ = new QRadioButton(QStringLiteral("By &week"), page);
  optByWeek_->setObjectName(QStringLiteral("optByWeek"));
  auto* group = new QButtonGroup(page);
  group->addButton(optBySeason_);
  group->addButton(optByWeek_);
  connect(optByWeek_, &QRadioButton::toggled, this, [this](bool on) { ShowByWeek(on); });
  top->addWidget(optBySeason_);
  top->addWidget(optByWeek_);
  top->addSpacing(12);
  // The seasons the charts show: the spinners zoom, the scroll bar below the
  // charts moves along the career.
  spnFrom_ = new QSpinBox(page);
  spnFrom_->setObjectName(QStringLiteral("spnFrom"));
  spnTo_ = new QSpinBox(page);
  spnTo_->setObjectName(QStringLiteral("spnTo"));
  for (QSpinBox* box : {spnFrom_, spnTo_}) {
    box->setRange(firstSeason_, lastSeason_);
    box->setKeyboardTracking(false);
  }
  top->addWidget(CaptionOf(spnFrom_, QStringLiteral("Seasons from:"), page));
  top->addWidget(spnFrom_);
  top->addWidget(CaptionOf(spnTo_, QStringLiteral("to:"), page));
  top->addWidget(spnTo_);
  spnFrom_->setAccessibleName(QStringLiteral("First season shown"));
  spnTo_->setAccessibleName(QStringLiteral("Last season shown"));
  connect(spnFrom_, &QSpinBox::valueChanged, this,
          [this](int from) { ShowSeasons(from, std::max(from, shownTo_)); });
  connect(spnTo_, &QSpinBox::valueChanged, this,
          [this](int to) { ShowSeasons(std::min(shownFrom_, to), to); });
  top->addStretch(1);
  layout->addLayout(top);

  // A note on the log, and the key to the competitions' colours, on a row of
  // their own: the screen stays narrow enough for a small laptop.
  auto* keyRow = new QHBoxLayout;
  auto* note = new QLabel(page);
  note->setObjectName(QStringLiteral("lblChartsNote"));
  note->setWordWrap(true);
  SetRole(note, "bare");
  if (log_.weeks.empty()) note->setText(QString::fromLatin1(kEmptyLog));
  if (log_.StartsLate()) note->setText(StartsLateNote(log_));
  note->setVisible(!note->text().isEmpty());
  keyRow->addWidget(note, 1);
  if (note->text().isEmpty()) keyRow->addStretch(1);
  for (int c = 0; c < kCompetitionCount; ++c) {
    QLabel* key = KeyLabel(kCompetitionColours[static_cast<std::size_t>(c)],
                           ToQt(kCompetitionNames[static_cast<std::size_t>(c)]), page);
    key->setVisible(!log_.weeks.empty());
    keyRow->addWidget(key);
  }
  layout->addLayout(keyRow);
  // Nothing logged: nothing to chart, and no key to the charts.
  for (int i = 0; i < top->count(); ++i) {
    if (QWidget* widget = top->itemAt(i)->widget()) widget->setVisible(!log_.weeks.empty());
  }

  auto* grid = new QGridLayout;
  grid->setSpacing(6);
  for (const ChartPlan& plan : ChartPlans()) {
    auto* chart = new CareerChart(plan, page);
    chart->told = [this](const QString& text) { lblPoint_->setText(text); };
    chart->setVisible(!log_.weeks.empty());
    const int at = static_cast<int>(charts_.size());
    grid->addWidget(chart, at / 2, at % 2);
    charts_.push_back(chart);
  }
  layout->addLayout(grid, 1);
  if (log_.weeks.empty()) layout->addStretch(1);

  hsbSeasons_ = new QScrollBar(Qt::Horizontal, page);
  hsbSeasons_->setObjectName(QStringLiteral("hsbSeasons"));
  hsbSeasons_->setAccessibleName(QStringLiteral("Seasons shown"));
  hsbSeasons_->setFocusPolicy(Qt::StrongFocus);
  connect(hsbSeasons_, &QScrollBar::valueChanged, this, [this](int at) {
    const int from = firstSeason_ + at;
    ShowSeasons(from, from + shownTo_ - shownFrom_);
  });
  layout->addWidget(hsbSeasons_);

  lblPoint_ = new QLabel(QString::fromLatin1(kPointHint), page);
  lblPoint_->setObjectName(QStringLiteral("lblPoint"));
  lblPoint_->setWordWrap(true);
  lblPoint_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  lblPoint_->setMinimumHeight(lblPoint_->fontMetrics().lineSpacing() * 2);
  lblPoint_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lblPoint_->setVisible(!log_.weeks.empty());
  layout->addWidget(lblPoint_);

  return page;
}

QWidget* CareerScreen::MakeScrapbook() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("pgeScrapbook"));
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(6);

  auto* searchRow = new QHBoxLayout;
  txtSearch_ = new QLineEdit(page);
  txtSearch_->setObjectName(QStringLiteral("txtSearch"));
  txtSearch_->setClearButtonEnabled(true);
  searchRow->addWidget(CaptionOf(txtSearch_, QStringLiteral("Search:"), page));
  searchRow->addWidget(txtSearch_, 1);
  lblFound_ = new TextLabel(page);
  lblFound_->setObjectName(QStringLiteral("lblFound"));
  SetRole(lblFound_, "bare");
  searchRow->addWidget(lblFound_);
  layout->addLayout(searchRow);
  connect(txtSearch_, &QLineEdit::textChanged, this, &CareerScreen::Filter);

  const QStringList headers = {QStringLiteral("Season"), QStringLiteral("Round"),
                               QStringLiteral("Kind"), QStringLiteral("Headline")};
  grdScrapbook_ =
      new QTableWidget(static_cast<int>(scrapbook_.size()), static_cast<int>(headers.size()), page);
  grdScrapbook_->setObjectName(QStringLiteral("grdScrapbook"));
  grdScrapbook_->setHorizontalHeaderLabels(headers);
  grdScrapbook_->verticalHeader()->hide();
  grdScrapbook_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grdScrapbook_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grdScrapbook_->setSelectionMode(QAbstractItemView::SingleSelection);
  grdScrapbook_->setWordWrap(false);
  grdScrapbook_->horizontalHeader()->setStretchLastSection(true);
  ReadyForKeys(grdScrapbook_);
  grdScrapbook_->setAccessibleName(QStringLiteral("Scrapbook"));
  grdScrapbook_->setSortingEnabled(false);
  for (int row = 0; const ScrapbookEntry& e : scrapbook_) {
    const QString cells[] = {QString::number(e.season), WeekName(e.week), KindName(e.kind),
                             ToQt(e.title)};
    for (int column = 0; column < 4; ++column) {
      grdScrapbook_->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    ++row;
  }
  // The columns fit the longest they can hold, and their headings, measured
  // once rather than row by row through a long career.
  const QFontMetrics metrics = grdScrapbook_->fontMetrics();
  const int pad = metrics.averageCharWidth() * 3;
  QHeaderView* header = grdScrapbook_->horizontalHeader();
  for (int column = 0; const char* widest : {"99", "Preliminary Finals", "Draft pick"}) {
    grdScrapbook_->setColumnWidth(
        column, std::max(metrics.horizontalAdvance(QString::fromLatin1(widest)) + pad,
                         header->sectionSizeHint(column)));
    ++column;
  }
  grdScrapbook_->setMinimumHeight(grdScrapbook_->fontMetrics().height() * 8);
  connect(grdScrapbook_, &QTableWidget::currentCellChanged, this,
          [this](int row) { ShowEntry(row); });
  layout->addWidget(grdScrapbook_, 3);

  txtStory_ = new QTextBrowser(page);
  txtStory_->setObjectName(QStringLiteral("txtStory"));
  txtStory_->setAccessibleName(QStringLiteral("Story"));
  txtStory_->setOpenLinks(false);
  txtStory_->setMinimumHeight(txtStory_->fontMetrics().height() * 5);
  layout->addWidget(txtStory_, 2);

  Filter({});
  return page;
}

void CareerScreen::Filter(const QString& words) {
  const QString wanted = words.trimmed();
  int shown = 0, first = -1;
  for (int row = 0; const ScrapbookEntry& e : scrapbook_) {
    const bool match = wanted.isEmpty() || ToQt(e.title).contains(wanted, Qt::CaseInsensitive) ||
                       ToQt(e.text).contains(wanted, Qt::CaseInsensitive);
    if (grdScrapbook_->isRowHidden(row) == match) grdScrapbook_->setRowHidden(row, !match);
    if (match) {
      ++shown;
      if (first < 0) first = row;
    }
    ++row;
  }
  lblFound_->setText(QStringLiteral("%1 of %2").arg(shown).arg(scrapbook_.size()));
  const int current = grdScrapbook_->currentRow();
  if (current < 0 || grdScrapbook_->isRowHidden(current)) {
    if (first >= 0) {
      grdScrapbook_->setCurrentCell(first, 0);
    } else {
      ShowEntry(-1);
    }
  } else {
    // The row picked before a search that matched nothing is back in view:
    // its story with it.
    ShowEntry(current);
  }
}

void CareerScreen::ShowEntry(int row) {
  if (row < 0 || row >= static_cast<int>(scrapbook_.size()) || grdScrapbook_->isRowHidden(row)) {
    txtStory_->setHtml(scrapbook_.empty() ? QStringLiteral("<p>Nothing for the scrapbook yet.</p>")
                                          : QStringLiteral("<p>Nothing matches the search.</p>"));
    return;
  }
  const ScrapbookEntry& e = scrapbook_[static_cast<std::size_t>(row)];
  txtStory_->setHtml(QStringLiteral("<h3>%1</h3><p><i>%2 &middot; %3</i></p><p>%4</p>")
                         .arg(Escaped(e.title), SeasonAndWeek(e.season, e.week), KindName(e.kind),
                              Escaped(e.text)));
}

void CareerScreen::ShowByWeek(bool byWeek) {
  byWeek_ = byWeek;
  (byWeek ? optByWeek_ : optBySeason_)->setChecked(true);
  const auto [from, to] = byWeek ? weekSeasons_ : seasonSeasons_;
  ShowSeasons(from, to);
}

void CareerScreen::ShowSeasons(int from, int to) {
  to = std::clamp(to, firstSeason_, lastSeason_);
  from = std::clamp(from, firstSeason_, to);
  shownFrom_ = from;
  shownTo_ = to;
  (byWeek_ ? weekSeasons_ : seasonSeasons_) = {from, to};
  for (QSpinBox* box : {spnFrom_, spnTo_}) {
    const QSignalBlocker quiet(box);
    box->setValue(box == spnFrom_ ? from : to);
  }
  {
    const QSignalBlocker quiet(hsbSeasons_);
    hsbSeasons_->setRange(0, (lastSeason_ - firstSeason_) - (to - from));
    hsbSeasons_->setPageStep(to - from + 1);
    hsbSeasons_->setValue(from - firstSeason_);
  }
  // The scroll bar is there while some of the career is out of view.
  hsbSeasons_->setVisible(!log_.weeks.empty() && hsbSeasons_->maximum() > 0);
  const std::vector<Slot> slots = SlotsOf(log_, byWeek_, from, to);
  for (CareerChart* chart : charts_) chart->Show(slots);
  lblPoint_->setText(QString::fromLatin1(kPointHint));
}

QString CareerScreen::html() const {
  std::vector<ChartPicture> pictures;
  if (!log_.weeks.empty()) {
    for (CareerChart* chart : charts_) {
      // A chart not yet laid out (its page never shown) is drawn at its
      // natural size.
      if (!chart->isVisible() && chart->width() < chart->minimumWidth()) {
        chart->resize(chart->minimumSize() * 2);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
      }
      pictures.push_back({chart->accessibleName(), chart->Picture()});
    }
  }
  return CareerHtml(career_, log_, pictures);
}

QString CareerScreen::FileFor(const char* extension) const {
  // Export and Print to a file offer one name, in the player's Documents
  // folder (or, without one, the career's data folder).
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty()) folder = PathToQt(folder_);
  return QDir(folder).filePath(ToQt(career_.CareerName) + QStringLiteral(" Career.") +
                               QString::fromLatin1(extension));
}

QString CareerScreen::ExportTo(const QString& file) {
  if (const auto error = WriteFileAtomically(PathFromQt(file), html().toStdString())) {
    return ToQt(*error);
  }
  Written(file);
  return {};
}

void CareerScreen::Written(const QString& file) {
  // Where it went, with a link that opens it.
  delete written_.data();
  written_ = new QMessageBox(
      QMessageBox::Information, QString::fromLatin1(kTitle),
      QStringLiteral("The career was written to <a href=\"%1\">%2</a>.")
          .arg(QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded).toHtmlEscaped(),
               QDir::toNativeSeparators(file).toHtmlEscaped()),
      QMessageBox::Ok, this);
  written_->setObjectName(QStringLiteral("msgWritten"));
  written_->setTextFormat(Qt::RichText);
  written_->setTextInteractionFlags(Qt::TextBrowserInteraction);
  written_->setAttribute(Qt::WA_DeleteOnClose);
  written_->open();
}

void CareerScreen::cmdExport_Click() {
  const QString suggested = FileFor("html");
  QDir().mkpath(QFileInfo(suggested).path());
  const QString file = QFileDialog::getSaveFileName(
      this, QStringLiteral("Export Career"), suggested, QStringLiteral("Web pages (*.html *.htm)"));
  if (file.isEmpty()) return;
  const QString error = ExportTo(file);
  if (!error.isEmpty()) QMessageBox::warning(this, QString::fromLatin1(kTitle), error);
}

void CareerScreen::cmdPrint_Click() {
  QPrinter printer(QPrinter::HighResolution);
  const QString file = FileFor("pdf");
  printer.setDocName(QFileInfo(file).completeBaseName());
  // Printing to a file offers the name Export offers; a printer, when there
  // is one, stays the first choice.
  const bool native = printer.outputFormat() == QPrinter::NativeFormat;
  printer.setOutputFileName(file);
  if (native) printer.setOutputFormat(QPrinter::NativeFormat);
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  QDir().mkpath(QFileInfo(printer.outputFileName()).path());
  QTextDocument document;
  document.setHtml(html());
  document.print(&printer);
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
    Written(printer.outputFileName());
}

void CareerScreen::cmdClose_Click() {
  hide();
  Q_EMIT closed();
}

void CareerScreen::closeEvent(QCloseEvent* event) {
  // The close box puts the screen away like Close.
  event->ignore();
  cmdClose_Click();
}

}  // namespace km::screens
