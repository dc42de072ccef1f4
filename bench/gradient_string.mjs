// The npm package gradient-string colouring the same 1 MiB text as fade_bench, red to blue.
// One call on the whole text overflows its stack (and its cost grows faster than the text), so
// the text goes through in 1 KiB pieces, each its own red-to-blue gradient; a single 64 KiB
// call is timed as well. Given a file (vfx_bench.py's 1 MiB of lines), it also colours that
// line by line over vfx's default colours, as `vfx --format ansi` does. Prints one JSON object.
import { readFileSync } from 'node:fs';
import gradient from 'gradient-string';

function sample(size) {
  const pattern = 'The quick brown fox jumps over the lazy dog. ';
  let text = '';
  while (text.length < size) text += pattern;
  return text.slice(0, size);
}

function time(run, runs) {
  let output = run();  // warm-up
  const start = process.hrtime.bigint();
  for (let k = 0; k < runs; ++k) output = run();
  return { milliseconds: Number(process.hrtime.bigint() - start) / 1e6 / runs, outputBytes: Buffer.byteLength(output) };
}

const fade = gradient(['#FF0000', '#0000FF']);
const text = sample(1 << 20);
const piece = 1 << 10;
const pieces = time(() => {
  let output = '';
  for (let at = 0; at < text.length; at += piece) output += fade(text.slice(at, at + piece));
  return output;
}, 2);
const whole64k = time(() => fade(sample(1 << 16)), 1);
const result = { milliseconds: pieces.milliseconds, outputBytes: pieces.outputBytes,
                 whole64kMilliseconds: whole64k.milliseconds };
if (process.argv[2]) {
  const lines = readFileSync(process.argv[2], 'utf8').split('\n');
  const jellyJar = gradient(['#E61E3C', '#FF7800', '#FFD200', '#78D200', '#00AA5A', '#00BEC8',
                             '#006EE6', '#5A3CDC', '#B428C8', '#F03C96']);
  // A gradient needs as many characters as colours; shorter lines go through plain.
  const byLine = time(() => lines.map((line) => (line.length >= 10 ? jellyJar(line) : line)).join('\n'), 1);
  result.linesMilliseconds = byLine.milliseconds;
  result.linesOutputBytes = byLine.outputBytes;
}
console.log(JSON.stringify(result));
