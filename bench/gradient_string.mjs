// The npm package gradient-string colouring the same 1 MiB text as fade_bench, red to blue.
// One call on the whole text overflows its stack (and its cost grows faster than the text), so
// the text goes through in 1 KiB pieces, each its own red-to-blue gradient; a single 64 KiB
// call is timed as well. Prints one JSON object.
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
console.log(JSON.stringify({ milliseconds: pieces.milliseconds, outputBytes: pieces.outputBytes,
                             whole64kMilliseconds: whole64k.milliseconds }));
