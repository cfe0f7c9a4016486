// SPDX-License-Identifier: GPL-3.0-or-later
// frmCareer: a whole career looked back on, from its log. Charts of the
// match ratings, disposals and goals, skills and bank balance by season or
// by week, over the competitions' colours; the scrapbook of the career's
// stories, awards and moves, with its search; and the lot exported to one
// web page or printed. It reads only the log it is given, so any career of
// the browser's storage can be shown, the running one or one long finished.

import uPlot from 'uplot';
import 'uplot/dist/uPlot.min.css';
import './career.css';
import type { CareerLogView } from '../engine/api_looking_back';
import type { StateView } from '../engine/api';
import type { Context, Screen } from './context';
import { inform } from './dialogs';
import { button, clear, el, setText } from './dom';

const kHeading = 'CAREER HISTORY';
export const kEmptyLog = 'No week of this career has been logged yet: its charts begin with the next round played.';
const kPointHint = 'Point at a chart, or step along it with the arrow keys, to read its figures.';
const kWeeksInSeason = 26;

// The steps a whole-number axis may take between its labels.
const kWholeSteps = [1, 2, 5, 10, 20, 25, 50, 100, 200, 250, 500, 1_000, 2_000, 2_500, 5_000, 10_000, 20_000, 25_000, 50_000, 100_000, 200_000, 250_000, 500_000, 1_000_000, 2_000_000, 2_500_000, 5_000_000, 10_000_000];
// The seasons the charts show week by week at first: more is a tangle.
const kSeasonsByWeek = 3;

// The competitions' colours behind the charts, Local Reserves first.
const kCompetitionColours = ['#e4e0d0', '#d2e8c8', '#c8dcf0', '#f4dca8'];

const kKindNames: Record<string, string> = {
  story: 'Story',
  award: 'Award',
  milestone: 'Milestone',
  move: 'Move',
  contract: 'Contract',
  sponsor: 'Sponsor',
  draft: 'Draft pick',
};

// ---- The charts' figures ---------------------------------------------------

// One place along the charts: a week, or a whole season. A season spans from
// its number less a half to its number plus a half, its weeks in turn.
export interface Slot {
  x: number;
  half: number;
  season: number;
  week: number; // 0: the whole season
  competition: number;
  club: string;
  matches: number;
  rating: number; // the match's rating, or the season's average
  seasonMatches: number;
  average: number;
  disposals: number;
  goals: number;
  injured: number;
  suspended: number;
  skills: number[]; // kicking, handballing, tackling, marking, running, overall
  bank: number;
}

// The slots of the seasons from `from` to `to`.
export function slotsOf(log: CareerLogView, byWeek: boolean, from: number, to: number): Slot[] {
  const w = log.weeks;
  const count = w.season.length;
  const seasons = new Map<number, [number, number]>(); // matches, rating total
  for (let i = 0; i < count; ++i) {
    if (!w.played[i]) continue;
    const s = seasons.get(w.season[i]) ?? [0, 0];
    s[0] += 1;
    s[1] += w.rating[i];
    seasons.set(w.season[i], s);
  }
  const slots: Slot[] = [];
  let clubIndex = 0;
  let club = '';
  for (let i = 0; i < count; ++i) {
    while (clubIndex < w.clubs.length && w.clubs[clubIndex][0] <= i) club = w.clubs[clubIndex++][1];
    const season = w.season[i];
    if (season < from || season > to) continue;
    const [seasonMatches, ratings] = seasons.get(season) ?? [0, 0];
    if (byWeek || slots.length === 0 || slots[slots.length - 1].season !== season) {
      const average = seasonMatches > 0 ? ratings / seasonMatches : 0;
      slots.push({
        x: byWeek ? season - 0.5 + (w.week[i] - 0.5) / kWeeksInSeason : season,
        half: byWeek ? 0.5 / kWeeksInSeason : 0.5,
        season,
        week: byWeek ? w.week[i] : 0,
        competition: 0,
        club: '',
        matches: 0,
        rating: byWeek ? 0 : average,
        seasonMatches,
        average,
        disposals: 0,
        goals: 0,
        injured: 0,
        suspended: 0,
        skills: [],
        bank: 0,
      });
    }
    const s = slots[slots.length - 1];
    // A season is shown where it ended: its competition, club and figures.
    s.competition = w.competition[i];
    s.club = club;
    s.skills = [w.kicking[i], w.handballing[i], w.tackling[i], w.marking[i], w.running[i], w.overall[i]];
    s.bank = w.bank[i];
    if (w.played[i]) {
      s.matches += 1;
      s.disposals += w.disposals[i];
      s.goals += w.goals[i];
      if (byWeek) s.rating = w.rating[i];
    }
    if (w.absence[i] === 1) s.injured += 1;
    if (w.absence[i] === 2) s.suspended += 1;
  }
  return slots;
}

type Figure = 'rating' | 'average' | 'disposals' | 'goals' | 'skill' | 'bank';

interface SeriesPlan {
  name: string;
  figure: Figure;
  skill?: number;
  colour: string;
  scatter?: boolean; // points, not a line
  rightAxis?: boolean;
  weeksOnly?: boolean; // shown only by week
}

interface ChartPlan {
  name: string;
  title: string;
  leftAxis: string;
  rightAxis?: string;
  absences: boolean; // the weeks missed are marked along its foot
  decimals: number; // of the figures up its side
  series: SeriesPlan[];
}

const kChartPlans: ChartPlan[] = [
  {
    name: 'chtRating',
    title: 'Match Rating',
    leftAxis: 'Rating',
    absences: true,
    decimals: 1,
    series: [
      { name: 'Match', figure: 'rating', colour: '#2f6b3a', scatter: true, weeksOnly: true },
      { name: 'Season average', figure: 'average', colour: '#b03030' },
    ],
  },
  {
    name: 'chtDisposals',
    title: 'Disposals and Goals',
    leftAxis: 'Disposals',
    rightAxis: 'Goals',
    absences: true,
    decimals: 0,
    series: [
      { name: 'Disposals', figure: 'disposals', colour: '#1f4e9a' },
      { name: 'Goals', figure: 'goals', colour: '#c06010', rightAxis: true },
    ],
  },
  {
    name: 'chtSkills',
    title: 'Skills',
    leftAxis: 'Skill',
    absences: false,
    decimals: 0,
    series: [
      { name: 'Kicking', figure: 'skill', skill: 0, colour: '#1f4e9a' },
      { name: 'Handballing', figure: 'skill', skill: 1, colour: '#c06010' },
      { name: 'Tackling', figure: 'skill', skill: 2, colour: '#7a3e9d' },
      { name: 'Marking', figure: 'skill', skill: 3, colour: '#2a8a8a' },
      { name: 'Running', figure: 'skill', skill: 4, colour: '#a08010' },
      { name: 'Overall', figure: 'skill', skill: 5, colour: '#202020' },
    ],
  },
  {
    name: 'chtBank',
    title: 'Bank Balance',
    leftAxis: 'Dollars',
    absences: false,
    decimals: 0,
    series: [{ name: 'Bank balance', figure: 'bank', colour: '#2f6b3a' }],
  },
];

function valueOf(s: Slot, p: SeriesPlan): number | null {
  switch (p.figure) {
    case 'rating':
      return s.matches > 0 ? s.rating : null;
    case 'average':
      return s.seasonMatches > 0 ? s.average : null;
    case 'disposals':
      return s.matches > 0 ? s.disposals : null;
    case 'goals':
      return s.matches > 0 ? s.goals : null;
    case 'bank':
      return s.bank;
    case 'skill':
      return s.skills[p.skill ?? 0];
  }
}

// Dollars as the game writes money: whole dollars bare, cents only when there are some.
export function dollars(amount: number): string {
  const cents = Math.round(amount * 100);
  const magnitude = Math.abs(cents);
  let text = `${cents < 0 ? '-' : ''}${Math.floor(magnitude / 100)}`;
  const rest = magnitude % 100;
  if (rest !== 0) text += `.${Math.floor(rest / 10)}${rest % 10 !== 0 ? rest % 10 : ''}`;
  return `$${text}`;
}

function valueText(s: Slot, p: SeriesPlan, value: number): string {
  if (p.figure === 'rating' || p.figure === 'average') return value.toFixed(1);
  if (p.figure === 'bank') return dollars(s.bank);
  return String(Math.trunc(value));
}

function seasonAndWeek(log: CareerLogView, season: number, week: number): string {
  return `Season ${season}, ${log.weekNames[week - 1] ?? `Round ${week}`}`;
}

// The figures of a slot as a chart tells them.
export function describe(log: CareerLogView, plan: ChartPlan, s: Slot): string {
  let text = s.week === 0 ? `Season ${s.season}` : seasonAndWeek(log, s.season, s.week);
  text += ` (${log.competitions[s.competition]}, ${s.club}): `;
  const figures: string[] = [];
  for (const p of plan.series) {
    if (p.weeksOnly && s.week === 0) continue;
    const value = valueOf(s, p);
    if (value !== null) figures.push(`${p.name} ${valueText(s, p, value)}`);
    else if (p.figure !== 'average') figures.push(`${p.name} -`);
  }
  if (plan.absences) {
    if (s.week !== 0 && s.injured > 0) figures.push('injured');
    if (s.week !== 0 && s.suspended > 0) figures.push('suspended');
    if (s.week === 0 && s.injured > 0) figures.push(`${s.injured} weeks injured`);
    if (s.week === 0 && s.suspended > 0) figures.push(`${s.suspended} weeks suspended`);
  }
  return text + figures.join(', ');
}

// A tick at every whole number while no more than `most` fit, then every 2, 5, 10, 20, ...
function tickInterval(span: number, most: number): number {
  for (let step = 1; ; step *= 10) {
    for (const times of [1, 2, 5]) if (span / (step * times) <= most) return step * times;
  }
}

// Room above the highest figure, a floor at nought, and round steps.
function fitRange(low: number, high: number, decimals: number): [number, number] {
  const unit = decimals > 0 ? 0.1 : 1;
  const step = tickInterval((high - low) / unit || 1, 5) * unit;
  let top = Math.ceil(high / step - 1e-9) * step;
  if (top - high < step * 0.15) top += step;
  return [Math.floor(Math.min(0, low) / step + 1e-9) * step, top];
}

// ---- One chart -------------------------------------------------------------

interface Chart {
  plan: ChartPlan;
  holder: HTMLElement;
  plot: uPlot | null;
  slots: Slot[];
  show(slots: Slot[]): void;
  resize(): void;
  picture(): { title: string; url: string; width: number; height: number } | null;
}

function makeChart(log: CareerLogView, plan: ChartPlan, told: (text: string) => void): Chart {
  const holder = el('figure', {
    class: 'career-chart',
    id: plan.name,
    tabindex: 0,
    role: 'group',
    'aria-label': `${plan.title} chart`,
    'aria-describedby': 'lblPoint',
  });
  let current = -1;

  const chart: Chart = {
    plan,
    holder,
    plot: null,
    slots: [],
    show(slots) {
      chart.slots = slots;
      current = -1;
      chart.plot?.destroy();
      chart.plot = null;
      clear(holder);
      if (slots.length === 0) return;
      const byWeek = slots[0].week !== 0;
      const xs = slots.map((s) => s.x);
      const shown = plan.series.filter((p) => !(p.weeksOnly && !byWeek));
      const data: (number | null)[][] = [xs];
      const series: uPlot.Series[] = [{ label: 'Season' }];
      let low = 0;
      let high = 1;
      let rightHigh = 1;
      for (const p of shown) {
        const values = slots.map((s) => valueOf(s, p));
        for (const v of values) {
          if (v === null) continue;
          if (p.rightAxis) rightHigh = Math.max(rightHigh, v);
          else high = Math.max(high, v);
          low = Math.min(low, v);
        }
        data.push(values);
        series.push({
          label: p.name,
          stroke: p.colour,
          fill: undefined,
          width: p.scatter ? 0 : 2,
          scale: p.rightAxis ? 'right' : 'y',
          paths: p.scatter ? () => null : undefined,
          // By week the line is the figure, its points left to uPlot's own
          // choice: shown where there is room between them (a week or a
          // few on their own), not where they would crowd the line.
          points: p.scatter || !byWeek ? { show: true, size: p.scatter ? 5 : 6, fill: p.colour, stroke: p.colour } : { size: 6, fill: p.colour, stroke: p.colour },
          spanGaps: false,
        });
      }
      // The weeks he missed, along the foot of the chart.
      if (plan.absences) {
        for (const [name, colour, key] of [
          ['Injured', '#d02020', 'injured'],
          ['Suspended', '#404040', 'suspended'],
        ] as const) {
          const marks = slots.map((s) => (s[key] > 0 ? 0.03 : null));
          if (marks.every((m) => m === null)) continue;
          data.push(marks);
          series.push({
            label: name,
            stroke: colour,
            width: 0,
            scale: 'foot',
            paths: () => null,
            points: { show: true, size: 7, fill: colour, stroke: colour },
          });
        }
      }
      const from = slots[0].x - slots[0].half;
      const to = slots[slots.length - 1].x + slots[slots.length - 1].half;
      const step = tickInterval(to - from, 12);
      const axisFont = '12px system-ui, sans-serif';
      const axes: uPlot.Axis[] = [
        {
          label: 'Season',
          font: axisFont,
          labelFont: axisFont,
          splits: () => {
            const ticks: number[] = [];
            for (let t = Math.ceil(from / step) * step; t <= to; t += step) ticks.push(t);
            return ticks;
          },
          values: (_u, ticks) => ticks.map((t) => String(Math.round(t))),
        },
        {
          label: plan.leftAxis,
          scale: 'y',
          font: axisFont,
          labelFont: axisFont,
          values: (_u, ticks) => ticks.map((t) => t.toFixed(plan.decimals)),
          // Counts and dollars step in whole numbers: no "2, 2, 1, 1, 0".
          incrs: plan.decimals === 0 ? kWholeSteps : undefined,
          // Room for the longest figure up the side and the axis's name.
          size: (_u, values) => 30 + 7.5 * Math.max(3, ...(values ?? []).map((v) => String(v).length)),
        },
      ];
      if (plan.rightAxis) {
        axes.push({
          label: plan.rightAxis,
          scale: 'right',
          side: 1,
          font: axisFont,
          labelFont: axisFont,
          grid: { show: false },
          values: (_u, ticks) => ticks.map((t) => t.toFixed(0)),
          incrs: kWholeSteps,
          size: 44,
        });
      }
      const options: uPlot.Options = {
        title: plan.title,
        width: Math.max(240, holder.clientWidth),
        height: holder.clientWidth < 420 ? 230 : 270,
        scales: {
          x: { time: false, range: () => [from, to] },
          y: { range: () => fitRange(low, high, plan.decimals) },
          right: { range: () => fitRange(0, rightHigh, 0) },
          foot: { range: () => [0, 1] },
        },
        axes,
        series,
        legend: { show: true, live: false },
        cursor: { y: false, points: { show: false }, drag: { x: false, y: false } },
        hooks: {
          // The competitions behind everything, one band for each run of slots.
          drawClear: [
            (u) => {
              const c = u.ctx;
              for (let i = 0; i < slots.length; ) {
                let end = i;
                while (end + 1 < slots.length && slots[end + 1].competition === slots[i].competition) ++end;
                const a = u.valToPos(slots[i].x - slots[i].half, 'x', true);
                const b = u.valToPos(slots[end].x + slots[end].half, 'x', true);
                c.fillStyle = kCompetitionColours[slots[i].competition] ?? '#ffffff';
                c.fillRect(a, u.bbox.top, b - a, u.bbox.height);
                i = end + 1;
              }
            },
          ],
          setCursor: [
            (u) => {
              const idx = u.cursor.idx;
              if (idx === null || idx === undefined || !slots[idx]) return;
              current = idx;
              told(describe(log, plan, slots[idx]));
            },
          ],
        },
      };
      chart.plot = new uPlot(options, data as uPlot.AlignedData, holder);
    },
    resize() {
      const plot = chart.plot;
      if (!plot) return;
      const width = Math.max(240, holder.clientWidth);
      if (Math.abs(width - plot.width) > 2) plot.setSize({ width, height: width < 420 ? 230 : 270 });
    },
    picture() {
      const canvas = holder.querySelector('canvas');
      if (!chart.plot || !canvas) return null;
      // The chart's canvas with its title and legend drawn in: the picture
      // the page keeps.
      const plot = chart.plot;
      const ratio = canvas.width / Math.max(1, plot.width);
      const out = document.createElement('canvas');
      const legendRows = Math.ceil(plot.series.length / 4);
      const head = 26;
      const foot = 20 * legendRows + 6;
      out.width = canvas.width;
      out.height = canvas.height + Math.round((head + foot) * ratio);
      const c = out.getContext('2d')!;
      c.fillStyle = '#ffffff';
      c.fillRect(0, 0, out.width, out.height);
      c.scale(ratio, ratio);
      c.fillStyle = '#1d3b22';
      c.font = 'bold 14px sans-serif';
      c.textAlign = 'center';
      c.fillText(plan.title, plot.width / 2, 18);
      c.setTransform(1, 0, 0, 1, 0, 0);
      c.drawImage(canvas, 0, Math.round(head * ratio));
      c.scale(ratio, ratio);
      c.font = '12px sans-serif';
      c.textAlign = 'left';
      const top = head + canvas.height / ratio + 14;
      plot.series.slice(1).forEach((s, i) => {
        const x = 10 + (i % 4) * (plot.width / 4);
        const y = top + Math.floor(i / 4) * 20;
        c.fillStyle = String(s.stroke instanceof Function ? '#000' : s.stroke);
        c.fillRect(x, y - 9, 10, 10);
        c.fillStyle = '#1d3b22';
        c.fillText(String(s.label), x + 14, y);
      });
      return { title: `${plan.title} chart`, url: out.toDataURL('image/png'), width: plot.width, height: Math.round(out.height / ratio) };
    },
  };

  // The arrow keys step along the chart: Left and Right a slot, Page Up and
  // Page Down a season, Home and End.
  holder.addEventListener('keydown', (event) => {
    const plot = chart.plot;
    const slots = chart.slots;
    if (!plot || slots.length === 0) return;
    const last = slots.length - 1;
    const at = current < 0 ? last : current;
    const season = slots[0].week === 0 ? 1 : kWeeksInSeason;
    const moves: Record<string, number> = { ArrowLeft: at - 1, ArrowRight: at + 1, PageUp: at - season, PageDown: at + season, Home: 0, End: last };
    if (!(event.key in moves)) return;
    event.preventDefault();
    pick(Math.min(last, Math.max(0, moves[event.key])));
  });
  holder.addEventListener('focus', () => {
    if (chart.plot && chart.slots.length > 0) pick(current < 0 ? chart.slots.length - 1 : current);
  });
  function pick(index: number): void {
    const plot = chart.plot!;
    current = index;
    plot.setCursor({ left: plot.valToPos(chart.slots[index].x, 'x'), top: plot.bbox.height / devicePixelRatio / 2 });
    told(describe(log, plan, chart.slots[index]));
  }
  return chart;
}

// ---- The scrapbook and the page --------------------------------------------

export interface ScrapbookEntry {
  season: number;
  week: number;
  kind: string; // as the screen names it: "Story", "Draft pick", ...
  title: string;
  text: string;
}

// Every event worth keeping, newest first.
export function scrapbook(log: CareerLogView): ScrapbookEntry[] {
  const entries: ScrapbookEntry[] = [];
  for (let i = log.events.length - 1; i >= 0; --i) {
    const [season, week, kind, title, text] = log.events[i];
    entries.push({ season, week, kind: kKindNames[kind] ?? kind, title, text });
  }
  return entries;
}

function escaped(text: string): string {
  return text
    .replace(/&/g, '&amp;')
    .replace(/</g, '&lt;')
    .replace(/>/g, '&gt;')
    .replace(/"/g, '&quot;')
    .replace(/'/g, '&#39;')
    .replace(/\n/g, '<br>');
}

function startsLateNote(log: CareerLogView): string {
  return `This career's log starts at season ${log.weeks.season[0]}, round ${log.weeks.week[0]}, where it was first loaded.`;
}

export interface ChartPicture {
  title: string;
  url: string;
  width: number;
  height: number;
}

// The career as one HTML page that needs nothing beside it: the player's
// name, his competitions and totals, the charts (inline pictures) and the
// scrapbook.
export function careerHtml(log: CareerLogView, charts: ChartPicture[]): string {
  const c = log.career;
  const name = escaped(c.name);
  let html =
    '<!DOCTYPE html>\n<html lang="en"><head><meta charset="utf-8">' +
    `<title>${name} - Kickmark Career</title><style>` +
    'body{font-family:sans-serif;margin:2em;color:#222}' +
    'h1,h2{color:#2f6b3a}table{border-collapse:collapse}' +
    'td,th{border:1px solid #999;padding:3px 8px;text-align:right}' +
    'th:first-child,td:first-child{text-align:left}' +
    '.when{color:#555;font-size:90%}.note{font-style:italic}' +
    `</style></head><body>\n<h1>${name}</h1>\n`;
  html += `<p>${escaped(c.position)} career &ldquo;${escaped(c.careerName)}&rdquo;: ${escaped(c.team)}, ${escaped(c.league)}, ${escaped(c.state)}.</p>\n`;
  html += '<table><tr><th>Competition</th><th>Matches</th><th>Disposals</th><th>Goals</th><th>Behinds</th></tr>\n';
  const total = [0, 0, 0, 0];
  c.levels.forEach((level, i) => {
    if (level[0] === 0) return;
    html += `<tr><td>${log.competitions[i]}</td>${level.map((v) => `<td>${v}</td>`).join('')}</tr>\n`;
    level.forEach((v, k) => (total[k] += v));
  });
  html += `<tr><th>Total</th>${total.map((v) => `<th>${v}</th>`).join('')}</tr>`;
  html += '</table>\n<h2>Charts</h2>\n';
  if (log.weeks.season.length === 0) html += `<p class="note">${kEmptyLog}</p>\n`;
  if (log.startsLate) html += `<p class="note">${escaped(startsLateNote(log))}</p>\n`;
  for (const chart of charts) {
    html += `<p><img src="${chart.url}" width="${chart.width}" height="${chart.height}" alt="${escaped(chart.title)}"></p>\n`;
  }
  html += '<h2>Scrapbook</h2>\n';
  const entries = scrapbook(log);
  if (entries.length === 0) html += '<p class="note">Nothing yet.</p>\n';
  for (const e of entries) {
    html += `<h3>${escaped(e.title)}</h3>\n<p class="when">${seasonAndWeek(log, e.season, e.week)} &middot; ${e.kind}</p>\n<p>${escaped(e.text)}</p>\n`;
  }
  return `${html}</body></html>\n`;
}

// ---- The screen --------------------------------------------------------------

// The Career screen of `career` (null: the open career's), with Close going
// `back`.
export function careerScreen(ctx: Context, career: string | null, back: () => void): Screen {
  const root = el('div', { class: 'screen screen-career', id: 'frmCareer', 'data-ready': 'false' });
  const lblName = el('span', { class: 'value', id: 'lblName' });
  const lblLeague = el('span', { class: 'value', id: 'lblLeague' });
  const tabCharts = el('button', { type: 'button', role: 'tab', id: 'tabCharts', 'aria-controls': 'pgeCharts', 'aria-selected': 'true', text: 'Charts' });
  const tabScrapbook = el('button', { type: 'button', role: 'tab', id: 'tabScrapbook', 'aria-controls': 'pgeScrapbook', 'aria-selected': 'false', tabindex: -1, text: 'Scrapbook' });
  const pgeCharts = el('section', { role: 'tabpanel', id: 'pgeCharts', 'aria-labelledby': 'tabCharts', class: 'career-page' });
  const pgeScrapbook = el('section', { role: 'tabpanel', id: 'pgeScrapbook', 'aria-labelledby': 'tabScrapbook', class: 'career-page', hidden: true });
  const printed = el('section', { class: 'career-print', 'aria-hidden': 'true' });
  const cmdExport = button('Export...', 'cmdExport', () => exportPage());
  const cmdPrint = button('Print...', 'cmdPrint', () => printPage());
  const cmdClose = button('Close', 'cmdClose', back);
  cmdExport.disabled = true;
  cmdPrint.disabled = true;

  root.append(
    el('h1', { id: 'lblHeading', text: kHeading }),
    el(
      'p',
      { class: 'career-who' },
      el('span', { class: 'caption', text: 'Name:' }),
      ' ',
      lblName,
      ' ',
      el('span', { class: 'caption', text: 'Now:' }),
      ' ',
      lblLeague,
    ),
    el('div', { role: 'tablist', class: 'career-tabs', 'aria-label': 'Charts or scrapbook' }, tabCharts, tabScrapbook),
    pgeCharts,
    pgeScrapbook,
    el('div', { class: 'buttons' }, cmdExport, cmdPrint, el('span', { class: 'grow' }), cmdClose),
    printed,
  );

  let log: CareerLogView | null = null;
  let entries: ScrapbookEntry[] = [];
  let charts: Chart[] = [];
  let byWeek = false;
  let first = 1;
  let last = 1;
  let seasonSeasons: [number, number] = [1, 1];
  let weekSeasons: [number, number] = [1, 1];
  let shown: [number, number] = [1, 1];
  let observer: ResizeObserver | null = null;
  let scrapbookMade = false;

  function choose(tab: 'charts' | 'scrapbook'): void {
    const charts = tab === 'charts';
    tabCharts.setAttribute('aria-selected', String(charts));
    tabScrapbook.setAttribute('aria-selected', String(!charts));
    tabCharts.tabIndex = charts ? 0 : -1;
    tabScrapbook.tabIndex = charts ? -1 : 0;
    pgeCharts.hidden = !charts;
    pgeScrapbook.hidden = charts;
    if (!charts) makeScrapbook();
    else for (const c of chartsList()) c.resize();
  }
  const chartsList = (): Chart[] => charts;
  tabCharts.addEventListener('click', () => choose('charts'));
  tabScrapbook.addEventListener('click', () => choose('scrapbook'));
  for (const tab of [tabCharts, tabScrapbook]) {
    tab.addEventListener('keydown', (event) => {
      if (event.key !== 'ArrowLeft' && event.key !== 'ArrowRight') return;
      event.preventDefault();
      const next = tab === tabCharts ? tabScrapbook : tabCharts;
      choose(next === tabCharts ? 'charts' : 'scrapbook');
      next.focus();
    });
  }

  // ---- the charts page
  const optBySeason = el('input', { type: 'radio', name: 'optChartsBy', id: 'optBySeason' });
  const optByWeek = el('input', { type: 'radio', name: 'optChartsBy', id: 'optByWeek' });
  const spnFrom = el('input', { type: 'number', id: 'spnFrom', 'aria-label': 'First season shown', inputmode: 'numeric' });
  const spnTo = el('input', { type: 'number', id: 'spnTo', 'aria-label': 'Last season shown', inputmode: 'numeric' });
  const hsbSeasons = el('input', { type: 'range', id: 'hsbSeasons', 'aria-label': 'Seasons shown', min: 0, step: 1 });
  const lblPoint = el('p', { id: 'lblPoint', class: 'career-point', 'aria-live': 'polite', text: kPointHint });
  const lblChartsNote = el('p', { id: 'lblChartsNote', class: 'note' });
  const controls = el(
    'div',
    { class: 'career-controls' },
    el('label', { class: 'career-option' }, optBySeason, ' By season'),
    el('label', { class: 'career-option' }, optByWeek, ' By week'),
    el('span', { class: 'career-seasons' }, el('label', { for: 'spnFrom', text: 'Seasons from:' }), spnFrom, el('label', { for: 'spnTo', text: 'to:' }), spnTo),
  );
  const key = el(
    'ul',
    { class: 'career-key', 'aria-label': 'Competitions' },
    ...['Local Reserves', 'Local Firsts', 'State', 'AFL'].map((name, i) =>
      el('li', {}, el('span', { class: 'swatch', style: `background:${kCompetitionColours[i]}` }), name),
    ),
  );
  const chartGrid = el('div', { class: 'career-charts' });
  pgeCharts.append(controls, el('div', { class: 'career-key-row' }, lblChartsNote, key), chartGrid, hsbSeasons, lblPoint);
  optBySeason.addEventListener('change', () => optBySeason.checked && showByWeek(false));
  optByWeek.addEventListener('change', () => optByWeek.checked && showByWeek(true));
  spnFrom.addEventListener('change', () => {
    const from = Number(spnFrom.value);
    showSeasons(from, Math.max(from, shown[1]));
  });
  spnTo.addEventListener('change', () => {
    const to = Number(spnTo.value);
    showSeasons(Math.min(shown[0], to), to);
  });
  hsbSeasons.addEventListener('input', () => {
    const from = first + Number(hsbSeasons.value);
    showSeasons(from, from + shown[1] - shown[0]);
  });

  function showByWeek(week: boolean): void {
    byWeek = week;
    (week ? optByWeek : optBySeason).checked = true;
    const [from, to] = week ? weekSeasons : seasonSeasons;
    showSeasons(from, to);
  }

  function showSeasons(from: number, to: number): void {
    if (!log) return;
    to = Math.min(Math.max(Number.isFinite(to) ? to : last, first), last);
    from = Math.min(Math.max(Number.isFinite(from) ? from : first, first), to);
    shown = [from, to];
    if (byWeek) weekSeasons = [from, to];
    else seasonSeasons = [from, to];
    spnFrom.value = String(from);
    spnTo.value = String(to);
    const max = last - first - (to - from);
    hsbSeasons.max = String(max);
    hsbSeasons.value = String(from - first);
    // The scroll bar is there while some of the career is out of view.
    hsbSeasons.hidden = log.weeks.season.length === 0 || max <= 0;
    const slots = slotsOf(log, byWeek, from, to);
    for (const chart of charts) chart.show(slots);
    setText(lblPoint, kPointHint);
  }

  // ---- the scrapbook page
  const txtSearch = el('input', { type: 'search', id: 'txtSearch', autocomplete: 'off' });
  const lblFound = el('span', { id: 'lblFound', class: 'bare', 'aria-live': 'polite' });
  const body = el('tbody');
  const grdScrapbook = el(
    'table',
    { class: 'grid', id: 'grdScrapbook', role: 'grid', 'aria-readonly': 'true', 'aria-label': 'Scrapbook' },
    el('thead', {}, el('tr', {}, ...['Season', 'Round', 'Kind', 'Headline'].map((h) => el('th', { scope: 'col', text: h })))),
    body,
  );
  const txtStory = el('article', { id: 'txtStory', class: 'career-story', 'aria-label': 'Story', 'aria-live': 'polite' });
  pgeScrapbook.append(
    el('div', { class: 'career-search' }, el('label', { for: 'txtSearch', text: 'Search:' }), txtSearch, lblFound),
    el('div', { class: 'table-wrap career-table' }, grdScrapbook),
    txtStory,
  );
  let rows: HTMLTableRowElement[] = [];
  let picked = -1;
  txtSearch.addEventListener('input', () => filter(txtSearch.value));
  body.addEventListener('keydown', (event) => {
    const shown = rows.map((_, i) => i).filter((i) => !rows[i].hidden);
    if (shown.length === 0) return;
    const at = shown.indexOf(picked);
    const moves: Record<string, number> = { ArrowUp: at - 1, ArrowDown: at + 1, Home: 0, End: shown.length - 1, PageUp: at - 10, PageDown: at + 10 };
    if (!(event.key in moves)) return;
    event.preventDefault();
    const next = shown[Math.min(shown.length - 1, Math.max(0, moves[event.key]))];
    showEntry(next);
    rows[next].focus();
  });

  function makeScrapbook(): void {
    if (scrapbookMade || !log) return;
    scrapbookMade = true;
    const fragment = document.createDocumentFragment();
    rows = entries.map((e, i) => {
      // The rows are the grid's own choices, as the desktop's grid rows are:
      // a click, or the arrow keys on the row in hand, shows its story.
      const row = el(
        'tr',
        { tabindex: -1, 'aria-selected': 'false' },
        el('td', { text: String(e.season) }),
        el('td', { text: log!.weekNames[e.week - 1] ?? `Round ${e.week}` }),
        el('td', { text: e.kind }),
        el('td', { class: 'headline', text: e.title }),
      );
      row.addEventListener('click', () => showEntry(i));
      fragment.append(row);
      return row;
    });
    body.append(fragment);
    filter(txtSearch.value);
  }

  function filter(words: string): void {
    const wanted = words.trim().toLowerCase();
    let count = 0;
    let firstShown = -1;
    entries.forEach((e, i) => {
      const match = wanted === '' || e.title.toLowerCase().includes(wanted) || e.text.toLowerCase().includes(wanted);
      if (rows[i] && rows[i].hidden === match) rows[i].hidden = !match;
      if (match) {
        count += 1;
        if (firstShown < 0) firstShown = i;
      }
    });
    setText(lblFound, `${count} of ${entries.length}`);
    if (picked < 0 || rows[picked]?.hidden) showEntry(firstShown);
    else showEntry(picked);
  }

  function showEntry(index: number): void {
    const before = rows[picked];
    if (before) {
      before.classList.remove('picked');
      before.setAttribute('aria-selected', 'false');
      before.tabIndex = -1;
    }
    clear(txtStory);
    if (index < 0 || index >= entries.length || rows[index]?.hidden) {
      txtStory.append(el('p', { text: entries.length === 0 ? 'Nothing for the scrapbook yet.' : 'Nothing matches the search.' }));
      return;
    }
    picked = index;
    const row = rows[index];
    if (row) {
      row.classList.add('picked');
      row.setAttribute('aria-selected', 'true');
      row.tabIndex = 0;
    }
    const e = entries[index];
    const text = el('p');
    e.text.split('\n').forEach((line, i) => {
      if (i > 0) text.append(el('br'));
      text.append(line);
    });
    txtStory.append(el('h3', { text: e.title }), el('p', {}, el('i', { text: `${seasonAndWeek(log!, e.season, e.week)} · ${e.kind}` })), text);
  }

  // ---- export and print
  function exportPage(): void {
    if (!log) return;
    const pictures = charts.map((c) => c.picture()).filter((p): p is ChartPicture => p !== null);
    const blob = new Blob([careerHtml(log, pictures)], { type: 'text/html;charset=utf-8' });
    const link = el('a', { href: URL.createObjectURL(blob), download: `${log.career.careerName} Career.html` });
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 60_000);
  }

  function printPage(): void {
    if (!log) return;
    // The scrapbook whole, stories and all, for the paper only.
    if (!printed.firstChild) {
      printed.append(el('h2', { text: 'Scrapbook' }));
      if (entries.length === 0) printed.append(el('p', { class: 'note', text: 'Nothing yet.' }));
      for (const e of entries) {
        printed.append(el('h3', { text: e.title }), el('p', { class: 'when', text: `${seasonAndWeek(log, e.season, e.week)} · ${e.kind}` }), el('p', { text: e.text }));
      }
    }
    window.print();
  }

  async function load(): Promise<void> {
    const read = await ctx.run('careerLog', career ? { career } : {});
    if (read.error || !read.weeks) {
      await inform(read.error ?? 'The career log could not be read.', 'Kickmark');
      back();
      return;
    }
    const view = read as CareerLogView;
    log = view;
    entries = scrapbook(view);
    setText(lblName, view.career.name);
    setText(lblLeague, `${view.career.team}, ${view.career.league}`);
    const seasons = view.weeks.season;
    const empty = seasons.length === 0;
    if (!empty) {
      first = seasons[0];
      last = seasons[seasons.length - 1];
    }
    // A short career shows best week by week, a long one season by season.
    byWeek = empty || last - first < 2;
    seasonSeasons = [first, last];
    weekSeasons = [Math.max(first, last - (kSeasonsByWeek - 1)), last];
    for (const box of [spnFrom, spnTo]) {
      box.min = String(first);
      box.max = String(last);
    }
    setText(lblChartsNote, empty ? kEmptyLog : view.startsLate ? startsLateNote(view) : '');
    lblChartsNote.hidden = lblChartsNote.textContent === '';
    // Nothing logged: nothing to chart, and no key to the charts.
    for (const part of [controls, key, lblPoint, chartGrid]) part.hidden = empty;
    charts = kChartPlans.map((plan) => makeChart(view, plan, (text) => setText(lblPoint, text)));
    chartGrid.append(...charts.map((c) => c.holder));
    showByWeek(byWeek);
    observer = new ResizeObserver(() => {
      if (!pgeCharts.hidden) for (const c of charts) c.resize();
    });
    observer.observe(chartGrid);
    cmdExport.disabled = false;
    cmdPrint.disabled = false;
    root.dataset.ready = 'true';
  }
  void load();

  // Escape closes, as the desktop's screen keys do.
  root.addEventListener('keydown', (event) => {
    if (event.key === 'Escape' && !(event.target instanceof HTMLInputElement && event.target.value !== '' && event.target.type === 'search')) {
      event.preventDefault();
      back();
    }
  });

  return {
    root,
    update(_state: StateView) {},
    focus: () => tabCharts.focus(),
    leave() {
      observer?.disconnect();
      for (const c of charts) c.plot?.destroy();
    },
  };
}
