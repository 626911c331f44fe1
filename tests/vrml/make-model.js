// Writes a model to test the template with: six small PNG pictures and a
// world made of the template and a model tail, as the program writes them.
//   node make-model.js TEMPLATE.wrl OUTDIR [--fixed]
// Gives OUTDIR/obrazkys/0.png .. 5.png and OUTDIR/model.wrl (CR LF lines);
// --fixed writes a cube that cannot be turned (otocna FALSE).
// Each picture is one colour with a white square in its top left quarter, so
// that a picture's turn can be seen.
'use strict';
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');

const COLOURS = [[200, 0, 0], [0, 150, 0], [0, 0, 200], [230, 130, 0], [140, 0, 160], [0, 140, 140]];
const ROTATIONS = [0, 1, 2, 3, 0, 1];
const SIZE = 32;

const CRC_TABLE = Array.from({ length: 256 }, (_, n) => {
  let c = n;
  for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
  return c >>> 0;
});

function crc32(buf) {
  let c = 0xffffffff;
  for (const b of buf) c = CRC_TABLE[(c ^ b) & 0xff] ^ (c >>> 8);
  return (c ^ 0xffffffff) >>> 0;
}

function chunk(type, data) {
  const head = Buffer.alloc(8);
  head.writeUInt32BE(data.length, 0);
  head.write(type, 4, 'ascii');
  const crc = Buffer.alloc(4);
  crc.writeUInt32BE(crc32(Buffer.concat([head.subarray(4), data])), 0);
  return Buffer.concat([head, data, crc]);
}

function picture([r, g, b]) {
  const rows = [];
  for (let y = 0; y < SIZE; y++) {
    const row = Buffer.alloc(1 + SIZE * 3); // filter byte 0, then RGB
    for (let x = 0; x < SIZE; x++) {
      const mark = x > 2 && x < 12 && y > 2 && y < 12;
      row.set(mark ? [255, 255, 255] : [r, g, b], 1 + x * 3);
    }
    rows.push(row);
  }
  const ihdr = Buffer.alloc(13);
  ihdr.writeUInt32BE(SIZE, 0);
  ihdr.writeUInt32BE(SIZE, 4);
  ihdr.set([8, 2, 0, 0, 0], 8); // 8 bits, RGB
  return Buffer.concat([
    Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]),
    chunk('IHDR', ihdr),
    chunk('IDAT', zlib.deflateSync(Buffer.concat(rows))),
    chunk('IEND', Buffer.alloc(0)),
  ]);
}

function main([template, outdir, ...options]) {
  const fixed = options.includes('--fixed');
  if (!template || !outdir || options.some((o) => o !== '--fixed')) {
    console.error('usage: node make-model.js TEMPLATE.wrl OUTDIR [--fixed]');
    process.exit(2);
  }
  const pictures = path.resolve(outdir, 'obrazkys');
  fs.mkdirSync(pictures, { recursive: true });
  const names = COLOURS.map((colour, k) => {
    const name = path.join(pictures, k + '.png');
    fs.writeFileSync(name, picture(colour));
    return name;
  });
  const lines = fs.readFileSync(template, 'utf8').split(/\r?\n/);
  if (lines[lines.length - 1] === '') lines.pop();
  lines.push(
    'DEF HRA Krychleov {rotace  ',
    '[ ' + ROTATIONS.join(' ') + ' ]',
    'vzory [',
    ...names.map((n) => '"' + n + '"'),
    fixed ? '] otocna FALSE}' : '] otocna TRUE}',
    'ROUTE RUKA.isActive TO HRA.pruhledna_in',
    'ROUTE RUKA2.isActive TO HRA.zpet_in',
    'ROUTE RUKA3.isActive TO HRA.zadni_in',
    'ROUTE RUKA4.isActive TO HRA.nahled_in',
  );
  const model = path.resolve(outdir, 'model.wrl');
  fs.writeFileSync(model, lines.join('\r\n') + '\r\n');
  console.log(model);
}

main(process.argv.slice(2));
