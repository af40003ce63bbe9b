// The browser edition's batch run under Node against trevalco-cli batch, on
// the same decimal-degree workbook in the same run: ROUNDS rounds of each in
// turn (3 by default), the medians in seconds and their ratio. The module
// is loaded once and the workbook written into its memory before the clock
// starts, as the page does when a file is chosen; the time covers the run
// and reading the output back out of the module.
//   node bench/web_node_bench.js CORE_JS TREVALCO_CLI BOOK.xlsx SHEET [ROUNDS]
const fs = require('fs');
const path = require('path');
const { spawnSync } = require('child_process');
const [corePath, cli, book, sheet, roundsText] = process.argv.slice(2);
const rounds = Number(roundsText || 3);
let questions = 0;
global.trevalcoMessage = () => { questions += 1; };
global.trevalcoProgress = () => {};
const texts = [];
const decimalPage = { 1: 'B', 2: 'C', 15: 'D', 16: 'E', 9: 'F', 10: 'G', 13: 'H', 14: 'I' };
for (let n = 1; n <= 34; n++) texts.push(decimalPage[n] ? 'Columna ' + decimalPage[n] : n === 34 ? 'Zona 19' : '');
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

function nativeSeconds(folder) {
  const started = process.hrtime.bigint();
  const run = spawnSync(cli, ['batch', book, '--sheet', sheet, '--from', 'dd', '--direction', 'SIRGAS_SAD69',
    '-o', path.join(folder, 'cli.xlsx'), '--overwrite']);
  if (run.status !== 0) throw new Error('trevalco-cli batch failed: ' + run.stderr);
  return Number(process.hrtime.bigint() - started) / 1e9;
}

async function webSeconds(core) {
  const inside = '/libros/' + path.basename(book);
  core.FS.writeFile(inside, fs.readFileSync(book));
  const started = process.hrtime.bigint();
  const out = JSON.parse(core.ccall('trevalco_batch', 'string',
    ['string', 'string', 'number', 'string', 'string', 'number', 'number', 'string', 'string', 'string', 'number'],
    [inside, sheet, 0, texts.join('\x1f'), 'SIRGAS_SAD69', 0, -1, '.', ',', '', 0]));
  if (!out.output) throw new Error('no output: ' + JSON.stringify(out));
  const bytes = core.FS.readFile(out.output);
  const seconds = Number(process.hrtime.bigint() - started) / 1e9;
  core.FS.unlink(out.output);
  core.FS.unlink(inside);
  return { seconds, converted: out.converted, size: bytes.length };
}

require(path.resolve(corePath))().then(async (core) => {
  core.FS.mkdir('/libros');
  const folder = fs.mkdtempSync('/tmp/web-node-bench-');
  const native = [];
  const web = [];
  let last = null;
  for (let round = 0; round < rounds; round++) {
    native.push(nativeSeconds(folder));
    last = await webSeconds(core);
    web.push(last.seconds);
  }
  fs.rmSync(folder, { recursive: true });
  const [n, w] = [median(native), median(web)];
  console.log(`${last.converted} rows converted, ${questions} questions, output ${last.size} bytes`);
  console.log(`cli ${n.toFixed(3)} s  node ${w.toFixed(3)} s  ratio ${(w / n).toFixed(2)}  (medians of ${rounds};` +
    ` node rounds ${web.map((s) => s.toFixed(2)).join(' ')})`);
});
