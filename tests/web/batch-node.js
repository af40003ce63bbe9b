// Runs the browser edition's batch run under Node on one workbook, answering
// every question with OK (skip the row, as trevalco-cli batch does), and
// writes the output workbook where it is told.
//   node batch-node.js CORE_JS INPUT SHEET PAGE DIRECTION OUTPUT
const fs = require('fs');
const path = require('path');
const [corePath, input, sheet, page, direction, output] = process.argv.slice(2);
const questions = [];
global.trevalcoMessage = (json) => { questions.push(JSON.parse(json).text); };
global.trevalcoProgress = () => {};
const combos = { 0: { 1: 'B', 2: 'C', 15: 'D', 16: 'E', 9: 'F', 10: 'G', 13: 'H', 14: 'I' },
  1: { 3: 'B', 4: 'C', 5: 'D', 6: 'E', 7: 'F', 8: 'G', 21: 'H', 22: 'I', 17: 'J', 18: 'K', 11: 'L', 12: 'M', 19: 'N', 20: 'O' },
  2: { 32: 'B', 33: 'C', 31: 'D', 30: 'E', 26: 'F', 25: 'G', 27: 'H', 28: 'I' } }[page];
const texts = [];
for (let n = 1; n <= 34; n++) texts.push(combos[n] ? 'Columna ' + combos[n] : n === 34 ? 'Zona 19' : '');
require(path.resolve(corePath))().then(async (core) => {
  core.FS.mkdir('/libros');
  const inside = '/libros/' + path.basename(input);
  core.FS.writeFile(inside, fs.readFileSync(input));
  const out = JSON.parse(core.ccall('trevalco_batch', 'string',
    ['string', 'string', 'number', 'string', 'string', 'number', 'number', 'string', 'string', 'string', 'number'],
    [inside, sheet, Number(page), texts.join('\x1f'), direction, 0, -1, '.', ',', '', 0]));
  if (!out.output) { console.error('no output', JSON.stringify(out), questions); process.exit(1); }
  fs.writeFileSync(output, core.FS.readFile(out.output));
  console.log(JSON.stringify({ end: out.end, converted: out.converted, questions: questions.length }));
});
