// Typesets every block of formulas.tex with MathJax's SVG output and writes one picture-sized
// SVG per formula (white canvas, formula at the left, centred vertically) into the directory
// given as the first argument. generate.sh rasterises and encodes them.
import { readFileSync, writeFileSync, mkdirSync } from 'node:fs';
import { mathjax } from 'mathjax-full/js/mathjax.js';
import { TeX } from 'mathjax-full/js/input/tex.js';
import { SVG } from 'mathjax-full/js/output/svg.js';
import { liteAdaptor } from 'mathjax-full/js/adaptors/liteAdaptor.js';
import { RegisterHTMLHandler } from 'mathjax-full/js/handlers/html.js';
import { AllPackages } from 'mathjax-full/js/input/tex/AllPackages.js';

// The picture box is 321 x 73 pixels; each picture fills it exactly.
const canvasWidth = 321;
const canvasHeight = 73;
const margin = 8;
// Preferred size of one em in pixels, and the smallest allowed when a wide formula must shrink.
const preferredEm = 17;
const smallestEm = 12;

const outDir = process.argv[2];
if (!outDir) {
    console.error('usage: node render.mjs OUTPUT_DIRECTORY');
    process.exit(2);
}
mkdirSync(outDir, { recursive: true });

const adaptor = liteAdaptor();
RegisterHTMLHandler(adaptor);
const tex = new TeX({ packages: AllPackages });
const svg = new SVG({ fontCache: 'none' });
const doc = mathjax.document('', { InputJax: tex, OutputJax: svg });

function parseBlocks(text) {
    const blocks = [];
    let current = null;
    for (const line of text.split('\n')) {
        const header = line.match(/^%\s+([a-z_]+)\s*$/);
        if (header) {
            current = { name: header[1], tex: [] };
            blocks.push(current);
        } else if (current && line.trim() !== '' && !line.startsWith('%')) {
            current.tex.push(line);
        }
    }
    return blocks.map((b) => ({ name: b.name, tex: b.tex.join(' ') }));
}

function render(block) {
    const node = doc.convert(block.tex, { display: true });
    const inner = adaptor.firstChild(node);
    const viewBox = adaptor.getAttribute(inner, 'viewBox').split(/\s+/).map(Number);
    const [vx, vy, vw, vh] = viewBox;
    // viewBox units are thousandths of an em.
    const fitWidth = (canvasWidth - 2 * margin) / (vw / 1000);
    const fitHeight = (canvasHeight - 4) / (vh / 1000);
    const em = Math.min(preferredEm, fitWidth, fitHeight);
    if (em < smallestEm) {
        throw new Error(`${block.name}: too large for the picture (em ${em.toFixed(1)} px)`);
    }
    const width = (vw / 1000) * em;
    const height = (vh / 1000) * em;
    const x = margin;
    const y = (canvasHeight - height) / 2;
    const body = adaptor.innerHTML(inner).replaceAll('currentColor', '#000000');
    const out =
        `<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" ` +
        `width="${canvasWidth}" height="${canvasHeight}" viewBox="0 0 ${canvasWidth} ${canvasHeight}">` +
        `<rect width="100%" height="100%" fill="#ffffff"/>` +
        `<svg x="${x.toFixed(3)}" y="${y.toFixed(3)}" width="${width.toFixed(3)}" ` +
        `height="${height.toFixed(3)}" viewBox="${vx} ${vy} ${vw} ${vh}" ` +
        `fill="#000000" stroke="#000000" stroke-width="0">${body}</svg></svg>\n`;
    writeFileSync(`${outDir}/${block.name}.svg`, out);
    return { name: block.name, em };
}

const blocks = parseBlocks(readFileSync(new URL('./formulas.tex', import.meta.url), 'utf8'));
for (const block of blocks) {
    const { name, em } = render(block);
    console.log(`${name}: ${em.toFixed(1)} px per em`);
}
