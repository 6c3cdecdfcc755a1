steps.push "vbs-file"
