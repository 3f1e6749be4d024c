// The core as WebAssembly: one module, one session per page.
import KvatCore from '../kvat.js';

export async function loadCore() {
  const core = await KvatCore();
  return { core, session: new core.Session(), tables: core.tables() };
}

// The decimal separator of the browser's language, as the desktop follows its locale.
export function decimalSeparator() {
  const text = new Intl.NumberFormat().format(1.5);
  return text.includes(',') ? ',' : '.';
}
