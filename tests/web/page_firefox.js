// The page in headless Firefox (Debian's firefox-esr, driven over WebDriver
// BiDi by puppeteer-core), opened from file:// with no server: the README's
// point typed with real key events in each notation and converted with
// Return and with OK, a message box answered with the keyboard, a workbook
// chosen through Examina_exel, converted and compared with trevalco-cli
// batch's output, and no network request.
//
//   node page_firefox.js TREVALCO_HTML TREVALCO_CLI NODE_MODULES
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');

const [html, cli, modules] = process.argv.slice(2);
const firefox = '/usr/bin/firefox-esr';
if (!fs.existsSync(html) || !fs.existsSync(firefox) || !fs.existsSync(path.join(modules, 'puppeteer-core'))) {
  console.log(`SKIP: no page at ${html} (scripts/web), no ${firefox} or no puppeteer-core in ${modules}`);
  process.exit(77);
}
const puppeteer = require(path.join(modules, 'puppeteer-core'));
const faults = [];
const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'trevalco-firefox-'));
// The workbooks of the byte test, made by its own helpers.
const books = (code) => execFileSync('python3', ['-c', `import sys; sys.path.insert(0, ${JSON.stringify(__dirname)})\n` +
  `import same_workbooks_books as books\n${code}`], { encoding: 'utf8' });

async function main(page) {
  const value = (id) => page.$eval('#' + id, (e) => e.value);
  const waitFor = (predicate, arg) => page.waitForFunction(predicate, { timeout: 60000 }, arg);
  // The open message box's text, answered with Return (OK).
  const box = async () => {
    await waitFor(() => document.getElementById('Mensaje').open);
    const text = await page.$eval('#MensajeTexto', (e) => e.textContent);
    const shown = await page.$eval('#Mensaje', (e) => e.dataset.shown);
    await page.keyboard.press('Enter');
    await waitFor((s) => !document.getElementById('Mensaje').open || document.getElementById('Mensaje').dataset.shown !== s, shown);
    return text;
  };
  const requests = [];
  page.on('request', (request) => requests.push(request.url()));
  const started = Date.now();
  await page.goto('file://' + path.resolve(html));
  await waitFor(() => document.body.dataset.ready === 'true');
  console.log(`page ready in ${((Date.now() - started) / 1000).toFixed(2)} s, ${await page.browser().version()}`);
  // Keeps what the page offers for download, so that it can be compared.
  await page.evaluate(() => {
    const make = URL.createObjectURL;
    URL.createObjectURL = (blob) => { window.offered = blob; return make(blob); };
  });

  await page.click('#SIRGAS_SAD69');
  const points = [['OpDecGra', { Textlat: '33.45', Textlon: '70.65' }, 'Enter'],
    ['OpGraMinSeg', { Text_Gralat_i: '33', Text_Minlat_i: '27', Text_Seglat_i: '0', Text_Gralon_i: '70',
      Text_Minlon_i: '39', Text_Seglon_i: '0' }, null],
    ['OpUTM', { Text_iNorte: '6297606.833', Text_iEste: '346642.695', Text_zona_1: '19' }, 'Enter']];
  for (const [button, typed, key] of points) {
    await page.click('#' + button);
    await page.$eval('#Text_ONorte', (e) => { e.value = ''; });
    for (const [id, text] of Object.entries(typed)) {
      await page.$eval('#' + id, (e) => { e.value = ''; });
      await page.type('#' + id, text);
    }
    if (key) await page.keyboard.press(key);
    else await page.click('#OK');
    await waitFor(() => document.getElementById('Text_ONorte').value !== '');
    for (const [id, expected] of [['Text_ONorte', '6,297,632.781'], ['Text_Zona', '19'], ['Text_DeltaError', '+/- 5.0 m.']])
      if (!(await value(id)).includes(expected)) faults.push(`${button}: ${id} ${await value(id)}, expected ${expected}`);
  }
  await page.click('#OpDecGra');
  await page.$eval('#Textlat', (e) => { e.value = ''; });
  await page.click('#OK');
  const text = await box();
  if (!text.includes('Complete Campos')) faults.push(`empty field: ${text}`);

  // A workbook: its bad row skipped with OK, the result the CLI's.
  const book = path.join(folder, 'obra.xlsx');
  const native = path.join(folder, 'cli.xlsx');
  books(`books.workbook(${JSON.stringify(book)}, books.BOOKS[0][2])`);
  execFileSync(cli, ['batch', book, '--sheet', 'Puntos', '--from', 'dd', '--direction', 'SIRGAS_SAD69', '-o', native],
    { stdio: 'ignore' });
  await page.click('#TabExcel');
  await (await page.$('#Examina_exel')).uploadFile(book);
  await waitFor(() => document.getElementById('cmbhoja').value === 'Puntos');
  await page.evaluate(() => { window.offered = null; });
  await page.click('#Ok_excel');
  const texts = [];
  for (;;) {
    await waitFor(() => window.offered || document.getElementById('Mensaje').open);
    if (await page.evaluate(() => !!window.offered)) break;
    texts.push(await box());
  }
  if (!texts.some((t) => t.startsWith('La Fila  " 4 "'))) faults.push(`no question for the bad row: ${texts}`);
  const bytes = await page.evaluate(async () => {
    const all = new Uint8Array(await window.offered.arrayBuffer());
    let text = '';
    for (const b of all) text += String.fromCharCode(b);
    return btoa(text);
  });
  const download = path.join(folder, 'obra_1.xlsx');
  fs.writeFileSync(download, Buffer.from(bytes, 'base64'));
  const differences = JSON.parse(books(`import json; print(json.dumps(books.package_differences(${JSON.stringify(native)}, ${JSON.stringify(download)})))`));
  for (const d of differences) faults.push(`download against the CLI: ${d}`);

  const others = requests.filter((u) => !u.startsWith('file://') && !u.startsWith('blob:') && !u.startsWith('data:'));
  if (others.length) faults.push(`network requests: ${others}`);
}

(async () => {
  const browser = await puppeteer.launch({ browser: 'firefox', executablePath: firefox, headless: true });
  try {
    await main(await browser.newPage());
  } catch (error) {
    faults.push(String(error && error.stack || error));
  } finally {
    await browser.close();
    fs.rmSync(folder, { recursive: true, force: true });
  }
  for (const fault of faults) console.log('FAULT: ' + fault);
  console.log(faults.length ? `${faults.length} faults` : 'the page works in Firefox');
  process.exit(faults.length ? 1 : 0);
})();
