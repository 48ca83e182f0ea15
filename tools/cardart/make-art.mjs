// Makes every picture of Orvella Medicine Cards: the 44 card faces, the
// program icon, the link cursor and the exit screen's picture.
//
//   npm ci && node make-art.mjs
//
// SVG sources go to out/, finished PNGs straight into the source tree.
// Needs rsvg-convert (librsvg2-bin) and the DejaVu fonts (fonts-dejavu-core).

import fs from 'node:fs';
import path from 'node:path';
import { execFileSync } from 'node:child_process';
import { fileURLToPath } from 'node:url';
import opentype from 'opentype.js';
import { drawn, drawnViewBox } from './drawn.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const repo = path.resolve(here, '../..');
const outDir = path.join(here, 'out');

const INK = '#3a2616';
const LIGHT = '#f8efdc';

// Element colours for the card frames: earth, water, fire and air.
const element = {
    earth: { frame: '#6b5331', accent: '#b08d57' },
    water: { frame: '#2f6467', accent: '#8cbcb4' },
    fire: { frame: '#96452a', accent: '#d99a5b' },
    air: { frame: '#4f6680', accent: '#a9bccf' },
};

// Deck order. `fig` names the figure: "set:icon" from an iconify package,
// or "drawn:name" for one of ours.
const cards = [
    ['eagle', 'The Eagle', 'game-icons:eagle-emblem', 'air'],
    ['hawk', 'The Hawk', 'game-icons:hawk-emblem', 'air'],
    ['elk', 'The Elk', 'game-icons:stag-head', 'earth'],
    ['deer', 'The Deer', 'game-icons:deer', 'earth'],
    ['bear', 'The Bear', 'game-icons:bear-head', 'earth'],
    ['snake', 'The Snake', 'game-icons:snake', 'fire'],
    ['skunk', 'The Skunk', 'fluent-emoji-flat:skunk', 'earth'],
    ['ottercard', 'The Otter', 'fluent-emoji-flat:otter', 'water'],
    ['butterfly', 'The Butterfly', 'fluent-emoji-flat:butterfly', 'air'],
    ['turtle', 'The Turtle', 'game-icons:turtle', 'water'],
    ['moose', 'The Moose', 'fluent-emoji-flat:moose', 'earth'],
    ['porcupine', 'The Porcupine', 'game-icons:porcupine', 'earth'],
    ['coyote', 'The Coyote', 'game-icons:wolf-howl', 'fire'],
    ['dog', 'The Dog', 'game-icons:sitting-dog', 'earth'],
    ['wolf', 'The Wolf', 'game-icons:wolf-head', 'fire'],
    ['raven', 'The Raven', 'game-icons:raven', 'air'],
    ['mountain-lion', 'The Mountain Lion', 'drawn:mountainLion', 'fire'],
    ['lynx', 'The Lynx', 'game-icons:lynx-head', 'fire'],
    ['buffalo', 'The Buffalo', 'game-icons:bison', 'earth'],
    ['mouse', 'The Mouse', 'game-icons:seated-mouse', 'earth'],
    ['owl', 'The Owl', 'game-icons:barn-owl', 'air'],
    ['beaver', 'The Beaver', 'game-icons:beaver', 'water'],
    ['opossum', 'The Opossum', 'drawn:opossum', 'earth'],
    ['crow', 'The Crow', 'fa6-solid:crow', 'air'],
    ['fox', 'The Fox', 'game-icons:fox', 'fire'],
    ['squirrel', 'The Squirrel', 'game-icons:squirrel', 'earth'],
    ['dragonfly', 'The Dragonfly', 'game-icons:dragonfly', 'water'],
    ['armadillo', 'The Armadillo', 'game-icons:armadillo', 'earth'],
    ['badger', 'The Badger', 'game-icons:badger', 'earth'],
    ['rabbit', 'The Rabbit', 'game-icons:rabbit', 'earth'],
    ['turkey', 'The Turkey', 'fluent-emoji-flat:turkey', 'earth'],
    ['ant', 'The Ant', 'game-icons:ant', 'earth'],
    ['weasel', 'The Weasel', 'drawn:weasel', 'earth'],
    ['grouse', 'The Grouse', 'drawn:grouse', 'air'],
    ['horse', 'The Horse', 'mdi:horse', 'fire'],
    ['lizard', 'The Lizard', 'game-icons:gecko', 'fire'],
    ['antelope', 'The Antelope', 'drawn:antelope', 'fire'],
    ['frog', 'The Frog', 'game-icons:frog', 'water'],
    ['swan', 'The Swan', 'game-icons:swan', 'water'],
    ['dolphin', 'The Dolphin', 'game-icons:dolphin', 'water'],
    ['whale', 'The Whale', 'fluent-emoji-flat:spouting-whale', 'water'],
    ['bat', 'The Bat', 'game-icons:bat', 'air'],
    ['spider', 'The Spider', 'game-icons:hanging-spider', 'earth'],
    ['hummingbird', 'The Hummingbird', 'game-icons:hummingbird', 'air'],
];

// ---------------------------------------------------------------- figures

const sets = {};
function iconifyIcon(set, name) {
    const data = (sets[set] ??= JSON.parse(
        fs.readFileSync(path.join(here, 'node_modules/@iconify-json', set, 'icons.json'), 'utf8')));
    let icon = data.icons[name];
    const alias = data.aliases?.[name];
    if (!icon && alias) icon = { ...data.icons[alias.parent], ...alias };
    if (!icon) throw new Error(`no icon ${set}:${name}`);
    return { body: icon.body, width: icon.width ?? data.width ?? 16, height: icon.height ?? data.height ?? 16 };
}

function luminance(hex) {
    let h = hex.slice(1);
    if (h.length === 3) h = [...h].map(c => c + c).join('');
    const [r, g, b] = [0, 2, 4].map(i => parseInt(h.slice(i, i + 2), 16) / 255);
    return 0.2126 * r + 0.7152 * g + 0.0722 * b;
}

function mix(a, b, t) {
    const pa = [1, 3, 5].map(i => parseInt(a.slice(i, i + 2), 16));
    const pb = [1, 3, 5].map(i => parseInt(b.slice(i, i + 2), 16));
    return '#' + pa.map((v, i) => Math.round(v + (pb[i] - v) * t).toString(16).padStart(2, '0')).join('');
}

// Colour emoji are turned into the same ink print as the silhouettes: each
// colour becomes a shade between ink and paper by its lightness, darkened so
// the figure reads as a whole.
function inkPrint(body) {
    return body.replace(/#[0-9a-fA-F]{6}\b|#[0-9a-fA-F]{3}\b/g,
        c => mix(INK, LIGHT, Math.pow(luminance(c), 2.2)));
}

function figure(fig) {
    const [set, name] = fig.split(':');
    if (set === 'drawn') {
        const body = drawn[name];
        if (!body) throw new Error(`no drawing ${name}`);
        return { body: body.replaceAll('INK', INK).replaceAll('LIGHT', LIGHT), viewBox: drawnViewBox[name] ?? '0 0 512 512' };
    }
    const icon = iconifyIcon(set, name);
    return { viewBox: `0 0 ${icon.width} ${icon.height}`, body: inkPrint(icon.body.replaceAll('currentColor', INK)) };
}

// ---------------------------------------------------------------- cards

const W = 260;
const H = 400;
const serif = "'DejaVu Serif', serif";
// The names are measured with the same font the renderer uses, so each one
// gets the largest size that fits the name band.
const serifBold = opentype.loadSync('/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf');
const textWidth = (text, size) => serifBold.getAdvanceWidth(text, size);

function fitSize(text, maxWidth, maxSize) {
    return Math.min(maxSize, Math.floor((maxSize * maxWidth) / textWidth(text, maxSize)));
}

function escapeXml(s) {
    return s.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
}

function nameText(title, color) {
    const text = (x, y, size, t) =>
        `<text x="${x}" y="${y}" text-anchor="middle" font-family="${serif}" font-weight="bold" font-size="${size}" fill="${color}">${escapeXml(t)}</text>`;
    const one = fitSize(title, 222, 30);
    if (one >= 25) return text(W / 2, 343 + one * 0.36, one, title);
    // Long names: a small "The" over the animal's name keeps the name large.
    const rest = title.replace(/^The /, '');
    const big = fitSize(rest, 222, 28);
    return text(W / 2, 331, 13, 'The') + text(W / 2, 352 + big * 0.36, big, rest);
}

function cardSvg(index, [, title, fig, elem]) {
    const e = element[elem];
    const f = figure(fig);
    const number = String(index + 1);
    const cy = 200;
    const box = 204;
    return `<svg xmlns="http://www.w3.org/2000/svg" width="${W}" height="${H}" viewBox="0 0 ${W} ${H}">
<rect width="${W}" height="${H}" rx="16" fill="${e.frame}"/>
<rect x="9" y="9" width="${W - 18}" height="${H - 18}" rx="10" fill="${LIGHT}"/>
<rect x="15" y="15" width="${W - 30}" height="${H - 30}" rx="7" fill="none" stroke="${e.accent}" stroke-width="3"/>
<circle cx="${W / 2}" cy="${cy}" r="110" fill="${mix(LIGHT, e.accent, 0.35)}"/>
<circle cx="${W / 2}" cy="${cy}" r="110" fill="none" stroke="${e.frame}" stroke-width="3"/>
<svg x="${(W - box) / 2}" y="${cy - box / 2}" width="${box}" height="${box}" viewBox="${f.viewBox}">${f.body}</svg>
<path d="M${W / 2 - 40} 9 h80 v40 a40 30 0 0 1 -80 0 z" fill="${e.frame}"/>
<text x="${W / 2}" y="56" text-anchor="middle" font-family="${serif}" font-weight="bold" font-size="38" fill="${LIGHT}">${number}</text>
<rect x="15" y="316" width="${W - 30}" height="56" rx="6" fill="${e.frame}"/>
${nameText(title, LIGHT)}
</svg>
`;
}

// ---------------------------------------------------------------- other pictures

function polar(cx, cy, r, deg) {
    const a = (deg * Math.PI) / 180;
    return [cx + r * Math.cos(a), cy + r * Math.sin(a)];
}
const fmt = ([x, y]) => `${x.toFixed(2)} ${y.toFixed(2)}`;

function featherSvg(x, y, len, width, angle, fill, spine) {
    // A simple feather hanging from (x, y), drawn pointing down then turned.
    const w = width / 2;
    return `<g transform="translate(${x} ${y}) rotate(${angle})">
<path d="M0 0 C${w} ${len * 0.25} ${w * 1.1} ${len * 0.7} 0 ${len} C${-w * 1.1} ${len * 0.7} ${-w} ${len * 0.25} 0 0 Z" fill="${fill}"/>
<path d="M0 ${len * 0.05} L0 ${len * 0.98}" stroke="${spine}" stroke-width="${Math.max(0.6, width / 10)}" fill="none"/>
<path d="M${-w * 0.9} ${len * 0.62} L${-w * 0.2} ${len * 0.55} M${w * 0.9} ${len * 0.48} L${w * 0.2} ${len * 0.42}" stroke="${LIGHT}" stroke-width="${Math.max(0.5, width / 14)}" fill="none"/>
</g>`;
}

// The program icon: a medicine wheel, its four directions in their colours,
// with a feather hanging from it.
function iconSvg({ feather = true } = {}) {
    const c = 128;
    const r = 84;
    const quarters = [
        ['#e8b530', -90, 0],   // east-north quadrant colours follow the wheel
        ['#b8432c', 0, 90],
        ['#2b2018', 90, 180],
        ['#f4efe4', 180, 270],
    ];
    let wedges = '';
    for (const [fill, a0, a1] of quarters) {
        wedges += `<path d="M${c} ${c - 10} L${fmt(polar(c, c - 10, r, a0))} A${r} ${r} 0 0 1 ${fmt(polar(c, c - 10, r, a1))} Z" fill="${fill}"/>`;
    }
    return `<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
<circle cx="${c}" cy="${c - 10}" r="${r + 14}" fill="#6b4a2b"/>
${wedges}
<circle cx="${c}" cy="${c - 10}" r="${r}" fill="none" stroke="#6b4a2b" stroke-width="6"/>
<path d="M${c} ${c - 10 - r} V${c - 10 + r} M${c - r} ${c - 10} H${c + r}" stroke="#6b4a2b" stroke-width="12"/>
<circle cx="${c}" cy="${c - 10}" r="18" fill="#6b4a2b"/>
<circle cx="${c}" cy="${c - 10}" r="9" fill="#e8b530"/>
${feather ? `${featherSvg(c + 58, c + 50, 78, 30, -38, '#f4efe4', '#6b4a2b')}
<path d="M${c + 58} ${c + 50} m-6 -6 h12 v14 h-12 z" fill="#b8432c"/>` : ''}
</svg>
`;
}

// The reading file's icon: a sheet of paper with its corner folded, bearing
// the program's medicine wheel (without its feather), so a saved reading is
// known as the program's.
function readingFileSvg() {
    const fold = 52;
    const [left, top, right, bottom] = [40, 16, 216, 240];
    return `<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
<path d="M${left} ${top} H${right - fold} L${right} ${top + fold} V${bottom} H${left} Z" fill="${LIGHT}" stroke="#6b4a2b" stroke-width="8" stroke-linejoin="round"/>
<path d="M${right - fold} ${top} V${top + fold} H${right}" fill="#e4d3b4" stroke="#6b4a2b" stroke-width="8" stroke-linejoin="round"/>
<svg x="${left + 4}" y="${top + 62}" width="${right - left - 8}" height="${right - left - 8}" viewBox="0 0 256 256">${iconSvg({ feather: false }).replace(/^<svg[^>]*>|<\/svg>\s*$/g, '')}</svg>
</svg>
`;
}

// The exit screen's picture: a dreamcatcher, hoop and web with three feathers.
function dreamcatcherSvg() {
    const cx = 75;
    const cy = 62;
    const r = 50;
    // The web: each row of thread hangs from the knots of the row outside it
    // and is pulled toward the centre, so it zigzags between the two rows.
    let outer = Array.from({ length: 9 }, (_, i) => polar(cx, cy, r - 2, -90 + i * 40));
    let web = '';
    for (let k = 0; k < 6; ++k) {
        const inner = outer.map((p, i) => {
            const q = outer[(i + 1) % outer.length];
            const m = [(p[0] + q[0]) / 2, (p[1] + q[1]) / 2];
            return [m[0] + (cx - m[0]) * 0.22, m[1] + (cy - m[1]) * 0.22];
        });
        const zigzag = outer.map((p, i) => `${fmt(p)} L${fmt(inner[i])}`).join(' L');
        web += `<path d="M${zigzag} Z" fill="none" stroke="#7a5a3a" stroke-width="1.1" stroke-linejoin="round"/>`;
        outer = inner;
    }
    return `<svg xmlns="http://www.w3.org/2000/svg" width="150" height="150" viewBox="0 0 150 150">
${featherSvg(cx - 34, cy + 42, 46, 15, 12, '#b8432c', '#5a3a20')}
${featherSvg(cx, cy + r + 4, 54, 17, 0, '#e8b530', '#5a3a20')}
${featherSvg(cx + 34, cy + 42, 46, 15, -12, '#2f6467', '#5a3a20')}
<path d="M${cx - 34} ${cy + 38} v6 M${cx} ${cy + r} v6 M${cx + 34} ${cy + 38} v6" stroke="#5a3a20" stroke-width="2"/>
<circle cx="${cx}" cy="${cy}" r="${r}" fill="#f8efdc" fill-opacity="0.6"/>
${web}
<circle cx="${cx}" cy="${cy}" r="5" fill="#b8432c"/>
<circle cx="${cx}" cy="${cy}" r="${r}" fill="none" stroke="#6b4a2b" stroke-width="6"/>
<circle cx="${cx}" cy="${cy}" r="${r}" fill="none" stroke="#b08d57" stroke-width="2" stroke-dasharray="3 5"/>
<path d="M${cx} ${cy - r - 10} v8" stroke="#6b4a2b" stroke-width="3"/>
<circle cx="${cx}" cy="${cy - r - 11}" r="3.5" fill="none" stroke="#6b4a2b" stroke-width="2"/>
</svg>
`;
}

// The link cursor: a pointing hand, white with a dark outline so it shows on
// any background. The tip of the index finger (x 12, y 1) is the hot spot.
function cursorSvg() {
    return `<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">
<path d="M10.5 3 C10.5 1.6 13.5 1.6 13.5 3 V13.2 C13.5 12 16.5 12 16.5 13.4 V14.4 C16.5 13.2 19.5 13.2 19.5 14.6 V15.6 C19.5 14.4 22.5 14.4 22.5 15.8 V22.5 C22.5 26 20.5 29.5 17 29.5 H14.2 C11.8 29.5 10.4 28.4 9.2 26.6 L5.2 20.4 C4.4 19.2 5.8 17.6 7.2 18.6 L10.5 21.2 Z"
 fill="#ffffff" stroke="#1a120b" stroke-width="1.4" stroke-linejoin="round"/>
<path d="M16.5 14.4 V19.5 M19.5 15.6 V19.5" stroke="#1a120b" stroke-width="1.1" stroke-linecap="round"/>
<path d="M11 25.6 h9" stroke="#b8432c" stroke-width="1.6" stroke-linecap="round"/>
</svg>
`;
}

// ---------------------------------------------------------------- output

function render(svgFile, pngFile, width, height) {
    fs.mkdirSync(path.dirname(pngFile), { recursive: true });
    execFileSync('rsvg-convert', ['-w', String(width), '-h', String(height), '-o', pngFile, svgFile]);
    // Same pixels in about two thirds of the bytes: a smaller program, and
    // fewer of its pages read in when the pictures are.
    execFileSync('zopflipng', ['-y', pngFile, pngFile], { stdio: 'ignore' });
}

function write(name, svg) {
    const file = path.join(outDir, name);
    fs.mkdirSync(path.dirname(file), { recursive: true });
    fs.writeFileSync(file, svg);
    return file;
}

// `node make-art.mjs icons` remakes only the small pictures; the cards take an hour.
const only = process.argv.slice(2);
const wanted = (what) => only.length === 0 || only.includes(what);

const cardsDir = path.join(repo, 'src/presentation/cards');
fs.mkdirSync(cardsDir, { recursive: true });
const used = new Set();
if (wanted('cards')) cards.forEach((card, i) => {
    const [slug, , fig] = card;
    if (used.has(fig)) throw new Error(`figure ${fig} used twice`);
    used.add(fig);
    const base = `${String(i + 1).padStart(2, '0')}_${slug}`;
    // Drawn at each size it is shown at rather than scaled from one: its place
    // in the window (795 x 1200 twips, stretched to fill) at normal and at
    // double density, the whole design, and the design at twice and four
    // times its size for the card view on dense screens and for print.
    const svgFile = write(`cards/${base}.svg`, cardSvg(i, card));
    for (const [w, h] of [[53, 80], [106, 160], [W, H], [2 * W, 2 * H], [4 * W, 4 * H]])
        render(svgFile, path.join(cardsDir, `${w}x${h}`, `${base}.png`), w, h);
});
if (cards.length !== 44) throw new Error('the deck has 44 cards');

if (wanted('icons')) {
const appIcons = path.join(repo, 'src/app/icons');
const iconFile = write('icons/orvella-medicine-cards.svg', iconSvg());
fs.mkdirSync(appIcons, { recursive: true });
fs.copyFileSync(iconFile, path.join(appIcons, 'orvella-medicine-cards.svg'));
for (const n of [16, 32, 48, 64, 128, 256])
    render(iconFile, path.join(appIcons, `hicolor/${n}x${n}/apps/orvella-medicine-cards.png`), n, n);

const webIcons = path.join(repo, 'src/web/icons');
const cursorFile = write('icons/linkcursor.svg', cursorSvg());
render(cursorFile, path.join(webIcons, 'linkcursor.png'), 32, 32);
render(cursorFile, path.join(webIcons, 'linkcursor@2x.png'), 64, 64);
const exitFile = write('icons/exitpicture.svg', dreamcatcherSvg());
render(exitFile, path.join(webIcons, 'exitpicture.png'), 150, 150);
render(exitFile, path.join(webIcons, 'exitpicture@2x.png'), 300, 300);

// The reading file's type icon, installed in the hicolor theme beside the program's.
const readingIcon = 'application-x-orvella-medicine-cards-reading';
const readingFile = write(`icons/${readingIcon}.svg`, readingFileSvg());
fs.copyFileSync(readingFile, path.join(appIcons, `${readingIcon}.svg`));
for (const n of [16, 32, 48, 64, 128, 256])
    render(readingFile, path.join(appIcons, `hicolor/${n}x${n}/mimetypes/${readingIcon}.png`), n, n);
}

console.log(`made ${only.length ? only.join(' and ') : 'the cards and the icons'}`);
